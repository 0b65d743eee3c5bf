#pragma once

#include <QApplication>

namespace rt::qt {

// The application object of the module. Every slot and event handler of
// ours that Qt calls is reached through notify(), from Qt's event loop,
// whose frames are not made to be unwound: an error that gets that far ends
// the program with a message instead.
class GuardedApplication final : public QApplication {
  public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace rt::qt
