#pragma once

#include <QMdiArea>
#include <QMenu>
#include <QPointer>
#include <memory>
#include <vector>

#include "SelectWindowDialog.h"

namespace rt::qt {

// The frame's window menu: its own entries first, then the open child
// windows in the order they were opened, at most nine of them, the active
// one checked and always among them (in the ninth place when it would come
// later); beyond nine, "More Windows..." offers the whole list in a dialog.
// Qt keeps no such list, so it is made afresh each time the menu opens.
class WindowMenu {
  public:
    static constexpr int kListed = 9;

    WindowMenu(QMenu& menu, QMdiArea& area);
    ~WindowMenu();
    WindowMenu(const WindowMenu&) = delete;
    WindowMenu& operator=(const WindowMenu&) = delete;

    // The windows the menu lists, by their places in `count` windows.
    static std::vector<int> listed(int count, int active);

    SelectWindowDialog* selectDialog() const { return m_select.data(); }

  private:
    void rebuild();
    void chooseFromAll();

    QMenu& m_menu;
    QMdiArea& m_area;
    std::vector<std::unique_ptr<QAction>> m_entries;  // removed from the menu when destroyed
    QPointer<SelectWindowDialog> m_select;
};

}  // namespace rt::qt
