#include "StandardActions.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QTimer>
#include <QWindow>
#include <vector>

#include "ClipboardActions.h"
#include "HelpWindow.h"
#include "IconArranger.h"
#include "Latin1Text.h"
#include "StatusChild.h"
#include "platform/window/WindowArrangement.h"

namespace rt::qt {

StandardActions::StandardActions(QMainWindow& frame, QMdiArea& area, std::function<void()> exitRequested)
    : m_frame(frame), m_area(area), m_exitRequested(std::move(exitRequested)) {
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), &m_frame);
    help->setContext(Qt::WindowShortcut);
    QObject::connect(help, &QShortcut::activated, &m_frame, [this] { helpForActiveWindow(); });
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, &m_frame,
                     [this](QWindow* window) { keepKeyboardInShownWindows(window); });
}

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

// Without a window manager the activation that a window or menu asked for
// when shown still arrives if it closed at once, and leaves the keyboard in a
// hidden window. It goes back before any key is read: the activation asked
// for here is handled in the same pass over the window system's events.
void StandardActions::keepKeyboardInShownWindows(QWindow* window) {
    if (window == nullptr) {
        return;
    }
    if (window->isVisible()) {
        if (window->type() != Qt::Popup) {
            m_lastFocus = window;
        }
        return;
    }
    QWindow* back =
        m_lastFocus != nullptr && m_lastFocus->isVisible() ? m_lastFocus.data() : m_frame.windowHandle();
    if (back != nullptr && m_frame.isVisible()) {
        back->requestActivate();
    }
}

// Qt's own tiling sizes every window to its share of the area, stretching
// fixed ones, and does so again at every resize of the frame. Here each
// window keeps its size; a resize changes nothing.
void StandardActions::tile() {
    m_area.horizontalScrollBar()->setValue(0);
    m_area.verticalScrollBar()->setValue(0);
    IconArranger::arrange(m_area);
    const int visibleHeight = m_area.viewport()->height();
    int iconTop = visibleHeight;
    std::vector<QMdiSubWindow*> windows;
    std::vector<PixelSize> sizes;
    for (QMdiSubWindow* window : m_area.subWindowList(QMdiArea::CreationOrder)) {
        if (window->isHidden()) {
            continue;
        }
        if (window->isMinimized()) {
            iconTop = std::min(iconTop, window->y());
            continue;
        }
        if (window->isMaximized()) {
            window->showNormal();
        }
        windows.push_back(window);
        sizes.push_back({window->width(), window->height()});
    }
    TileArea room{{m_area.maximumViewportSize().width(), m_area.maximumViewportSize().height()}};
    room.iconHeight = std::max(visibleHeight - iconTop, 0);
    room.scrollBar = m_area.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &m_area);
    const auto positions = tilePositions(sizes, room);
    for (std::size_t i = 0; i < windows.size(); ++i) {
        windows[i]->move(positions[i].x, positions[i].y);
    }
}

void StandardActions::helpForActiveWindow() {
    const auto* active = dynamic_cast<const StatusChild*>(m_area.activeSubWindow());
    help().showPageOf(active != nullptr ? latin1Text(active->windowKey()) : QString());
}

// A box of its own that does not block, as the program's other messages.
void StandardActions::showAbout() {
    auto* box = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("About %1").arg(m_frame.windowTitle()),
                                m_aboutText.isEmpty() ? m_frame.windowTitle() : m_aboutText, QMessageBox::Ok,
                                &m_frame);
    box->setObjectName(QStringLiteral("aboutBox"));
    if (!QApplication::windowIcon().isNull()) {
        box->setIconPixmap(QApplication::windowIcon().pixmap(48));
    }
    box->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(box, &QObject::destroyed, &m_frame, [this] { returnFocusToFrame(); });
    box->open();
}

// Opening a menu leaves the focus where it was, so the focused widget is the
// control the person was working in.
bool StandardActions::carryOut(int code) {
    switch (static_cast<StandardAction>(code)) {
        case StandardAction::WindowMenu:
            return true;
        case StandardAction::Tile:
            tile();
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
