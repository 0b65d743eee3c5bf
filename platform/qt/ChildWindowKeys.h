#pragma once

#include <QMainWindow>
#include <QMdiArea>

namespace rt::qt {

// The keys of a Windows MDI frame: Ctrl+F4 closes the active child window
// (asking its procedure, as its close button does), Ctrl+Tab and Ctrl+F6 go to
// the next child, Ctrl+Shift+Tab and Ctrl+Shift+F6 to the previous one, and
// Alt+minus opens the active child's own menu (move, minimise, restore,
// close), so that a child needs no mouse. Qt's
// own child-window keys follow the desktop's conventions, which on most Linux
// desktops leave Ctrl+F4 out.
class ChildWindowKeys {
  public:
    static void install(QMainWindow& frame, QMdiArea& area);
};

}  // namespace rt::qt
