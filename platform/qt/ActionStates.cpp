#include "ActionStates.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include "ClipboardActions.h"

namespace rt::qt {

ActionStates::ActionStates(QMainWindow& frame, QMdiArea& area,
                           std::vector<std::pair<StandardAction, QAction*>> items)
    : m_frame(frame), m_area(area), m_items(std::move(items)) {
    QObject::connect(qApp, &QApplication::focusChanged, &m_context, [this] { refresh(); });
    QObject::connect(&m_area, &QMdiArea::subWindowActivated, &m_context, [this] { refresh(); });
    // A menu shows what holds the moment it opens, whatever changed unseen.
    for (QMenu* menu : m_frame.menuBar()->findChildren<QMenu*>()) {
        QObject::connect(menu, &QMenu::aboutToShow, &m_context, [this] { refresh(); });
    }
    refresh();
}

ActionStates::~ActionStates() = default;

void ActionStates::watch(QMdiSubWindow& child) {
    QObject::connect(&child, &QMdiSubWindow::windowStateChanged, &m_context, [this] { refreshSoon(); });
    QObject::connect(&child, &QObject::destroyed, &m_context, [this] { refreshSoon(); });
    refresh();
}

void ActionStates::refreshSoon() {
    QTimer::singleShot(0, &m_context, [this] { refresh(); });
}

ActionSituation ActionStates::situation() const {
    ActionSituation now;
    for (const QMdiSubWindow* child : m_area.subWindowList()) {
        if (!child->isHidden()) {
            ++now.openWindows;
            now.minimisedWindows += child->isMinimized() ? 1U : 0U;
        }
    }
    const QMdiSubWindow* active = m_area.activeSubWindow();
    now.windowActive = active != nullptr && !active->isHidden();
    // Only the frame's own widgets count: its menus and keys act on nothing else.
    QWidget* focused = QApplication::focusWidget();
    if (focused != nullptr && m_frame.isAncestorOf(focused)) {
        now.focusedText = ClipboardActions::textOf(focused);
        now.textSelected = ClipboardActions::hasSelection(focused);
    }
    return now;
}

void ActionStates::refresh() {
    const ActionSituation now = situation();
    for (const auto& [action, item] : m_items) {
        item->setEnabled(canCarryOut(action, now));
    }
}

}  // namespace rt::qt
