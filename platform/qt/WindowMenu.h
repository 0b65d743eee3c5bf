#pragma once

#include <QActionGroup>
#include <QMdiArea>
#include <QMenu>
#include <memory>
#include <vector>

namespace rt::qt {

// The frame's window menu: its own entries first, then one entry per open
// child window in the order they were opened, the active one checked.
// Qt keeps no such list, so it is made afresh each time the menu opens.
class WindowMenu {
  public:
    WindowMenu(QMenu& menu, QMdiArea& area);

  private:
    void rebuild();

    QMenu& m_menu;
    QMdiArea& m_area;
    std::unique_ptr<QActionGroup> m_group;
    std::vector<std::unique_ptr<QAction>> m_entries;  // removed from the menu when destroyed
};

}  // namespace rt::qt
