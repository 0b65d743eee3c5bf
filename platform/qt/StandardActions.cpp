#include "StandardActions.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QTimer>

#include "ClipboardActions.h"
#include "HelpWindow.h"
#include "IconArranger.h"
#include "StatusChild.h"

namespace rt::qt {

StandardActions::StandardActions(QMainWindow& frame, QMdiArea& area, std::function<void()> exitRequested)
    : m_frame(frame), m_area(area), m_exitRequested(std::move(exitRequested)) {}

StandardActions::~StandardActions() = default;

HelpWindow* StandardActions::helpWindow() const {
    return m_help.data();
}

HelpWindow& StandardActions::help() {
    if (!m_help) {
        m_help = new HelpWindow(m_frame, m_frame.windowTitle(), [this] { returnFocusToFrame(); });
    }
    return *m_help;
}

void StandardActions::returnFocusToFrame() {
    QTimer::singleShot(0, &m_frame, [frame = &m_frame] {
        const QWidget* active = QApplication::activeWindow();
        if (frame->isVisible() && (active == nullptr || !active->isVisible())) {
            frame->activateWindow();
        }
    });
}

// Opening a menu leaves the focus where it was, so the focused widget is the
// control the person was working in.
bool StandardActions::carryOut(int code) {
    switch (static_cast<StandardAction>(code)) {
        case StandardAction::WindowMenu:
            return true;
        case StandardAction::Tile:
            m_area.tileSubWindows();
            return true;
        case StandardAction::Cascade:
            m_area.cascadeSubWindows();
            return true;
        case StandardAction::ArrangeIcons:
            IconArranger::arrange(m_area);
            return true;
        case StandardAction::HelpContents:
            help().showContents();
            return true;
        case StandardAction::HelpOnHelp:
            help().showHowToUse();
            return true;
        case StandardAction::HelpSearch:
            help().showSearch();
            return true;
        case StandardAction::Cut:
            ClipboardActions::cut(QApplication::focusWidget());
            return true;
        case StandardAction::Copy:
            ClipboardActions::copy(QApplication::focusWidget(),
                                   dynamic_cast<const StatusChild*>(m_area.activeSubWindow()));
            return true;
        case StandardAction::Paste:
            ClipboardActions::paste(QApplication::focusWidget());
            return true;
        case StandardAction::Exit:
            m_exitRequested();
            return true;
        case StandardAction::PrinterSetup:
            m_printer.open(m_frame, [this] { returnFocusToFrame(); });
            return true;
        case StandardAction::None:
            break;
    }
    return false;
}

}  // namespace rt::qt
