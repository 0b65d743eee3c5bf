#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <utility>
#include <vector>

#include "platform/window/ActionAvailability.h"

namespace rt::qt {

// Keeps the frame's standard menu entries enabled exactly while they can
// act, as the child windows open, close, minimise and take turns, and as the
// keyboard focus moves. A disabled entry's shortcut does nothing either.
// Lives on the GUI thread with the frame.
class ActionStates {
  public:
    ActionStates(QMainWindow& frame, QMdiArea& area, std::vector<std::pair<StandardAction, QAction*>> items);
    ~ActionStates();
    ActionStates(const ActionStates&) = delete;
    ActionStates& operator=(const ActionStates&) = delete;

    // A child window has been added to the frame's area.
    void watch(QMdiSubWindow& child);
    void refresh();

    ActionSituation situation() const;

  private:
    // Closing and deleting a child happen after the event that asks for them.
    void refreshSoon();

    QMainWindow& m_frame;
    QMdiArea& m_area;
    std::vector<std::pair<StandardAction, QAction*>> m_items;
    QObject m_context;  // disconnects everything connected here when the states go
};

}  // namespace rt::qt
