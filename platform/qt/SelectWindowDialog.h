#pragma once

#include <QDialog>
#include <QList>
#include <QMdiSubWindow>
#include <QPointer>
#include <functional>

class QListWidget;

namespace rt::qt {

// "Select Window": every open child window by its title, for the window menu
// once it lists no more. It does not block the frame; a window chosen (Enter,
// a double click, OK) is handed on, and a window closed meanwhile is passed
// over.
class SelectWindowDialog final : public QDialog {
  public:
    using Chosen = std::function<void(QMdiSubWindow* window)>;

    SelectWindowDialog(QWidget& owner, Chosen chosen);

    // Shows the list with `active` selected.
    void offer(const QList<QMdiSubWindow*>& windows, const QMdiSubWindow* active);
    QListWidget& list() { return *m_list; }

  private:
    void choose();

    Chosen m_chosen;
    QListWidget* m_list = nullptr;
    QList<QPointer<QMdiSubWindow>> m_windows;
};

}  // namespace rt::qt
