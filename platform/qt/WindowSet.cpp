#include "WindowSet.h"

#include <QApplication>
#include <QMessageBox>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <vector>

#include "HelpWindow.h"
#include "Latin1Text.h"
#include "platform/window/WindowArrangement.h"
#include "platform/window/WindowTitles.h"

namespace rt::qt {

WindowSet::WindowSet() = default;

// A child shown with no frame to hold it is a window of its own, which
// nothing else would delete; children inside the frame go with it.
WindowSet::~WindowSet() {
    for (auto& [id, child] : m_children) {
        if (child && child->parent() == nullptr) {
            const std::unique_ptr<StatusChild> alone(child.data());
        }
    }
    m_states.reset();
    m_standard.reset();
    m_frame.reset();
}

void WindowSet::show(const WindowView& view) {
    if (view.isFrame) {
        showFrame(view);
    } else {
        showChild(view);
    }
}

void WindowSet::showFrame(const WindowView& view) {
    if (m_frame) {
        return;
    }
    const WindowId id = view.id;
    m_frame = std::make_unique<FrameWindow>(
        view,
        FrameWindow::Callbacks{[this, id] { tell([id](UserActions& a) { a.activated(id); }); },
                               [this, id] { tell([id](UserActions& a) { a.closeRequested(id); }); },
                               [this](const definition::MenuEntry& entry) { chose(entry); }},
        m_awaitFonts);
    m_standard = std::make_unique<StandardActions>(
        *m_frame, m_frame->area(), [this] { tell([](UserActions& a) { a.exitRequested(); }); });
    QObject::connect(&m_frame->area(), &QMdiArea::subWindowActivated, m_frame.get(),
                     [this](QMdiSubWindow* window) { childActivated(window); });
    m_states = std::make_unique<ActionStates>(*m_frame, m_frame->area(), m_frame->standardItems());
    if (QAction* about = m_frame->aboutEntry()) {
        QObject::connect(about, &QAction::triggered, m_frame.get(), [this] { m_standard->showAbout(); });
    }
    m_frame->show();
    // Without a window manager a shown window is not active, and keys reach nothing.
    m_frame->activateWindow();
    m_frame->raise();
}

void WindowSet::showChild(const WindowView& view) {
    if (m_awaitFonts) {
        m_awaitFonts();
    }
    const WindowId id = view.id;
    auto* child = new StatusChild(
        view, {[this, id](int control) { tell([&](UserActions& a) { a.pressed(id, control); }); },
               [this, id](int control) { tell([&](UserActions& a) { a.inputRejected(id, control); }); },
               [this, id] { tell([id](UserActions& a) { a.closeRequested(id); }); }});
    m_children[id] = child;
    // The children carry the program's icon too, not the toolkit's.
    if (!QApplication::windowIcon().isNull()) {
        child->setWindowIcon(QApplication::windowIcon());
    }
    child->joinArea(m_frame ? &m_frame->area() : nullptr);
    if (m_frame) {
        place(*child);
        QObject::connect(
            child, &QMdiSubWindow::windowStateChanged, m_frame.get(),
            [this, child](Qt::WindowStates, Qt::WindowStates now) { stateChanged(*child, now); });
    }
    child->show();
    retitle();
    if (m_states) {
        m_states->watch(*child);
    }
    if (view.focus != 0) {
        child->focusControl(view.focus);
    }
}

// Qt would put it where it overlaps least, which once the area is full is
// one of its four corners, exactly on an older window.
void WindowSet::place(StatusChild& child) {
    QMdiArea& area = m_frame->area();
    std::vector<PixelPoint> open;
    for (const QMdiSubWindow* window : area.subWindowList(QMdiArea::CreationOrder)) {
        if (window != &child && !window->isHidden() && !window->isMinimized()) {
            open.push_back({window->x(), window->y()});
        }
    }
    QStyleOptionTitleBar option;
    option.initFrom(&child);
    const int step = child.style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, &child);
    const QSize size = child.size().expandedTo(child.sizeHint());
    const QSize visible = area.viewport()->size();
    const PixelPoint at =
        nextWindowPosition(open, {size.width(), size.height()}, {visible.width(), visible.height()}, step);
    child.move(at.x, at.y);
}

void WindowSet::retitle() {
    if (!m_frame) {
        return;
    }
    std::vector<StatusChild*> open;
    std::vector<std::string> titles;
    for (QMdiSubWindow* window : m_frame->area().subWindowList(QMdiArea::CreationOrder)) {
        auto* child = dynamic_cast<StatusChild*>(window);
        if (child != nullptr && !child->isClosingForGood()) {
            open.push_back(child);
            titles.push_back(child->definedTitle());
        }
    }
    const auto shown = shownTitles(titles);
    for (std::size_t i = 0; i < open.size(); ++i) {
        open[i]->setWindowTitle(latin1Text(shown[i]));
    }
}

QMdiSubWindow* WindowSet::topWindowBut(const QMdiSubWindow* leaving) const {
    const auto stacked = m_frame->area().subWindowList(QMdiArea::StackingOrder);
    for (auto window = stacked.rbegin(); window != stacked.rend(); ++window) {
        const auto* child = dynamic_cast<const StatusChild*>(*window);
        if (*window != leaving && !(*window)->isHidden() && !(*window)->isMinimized() &&
            (child == nullptr || !child->isClosingForGood())) {
            return *window;
        }
    }
    return nullptr;
}

// As an MDI frame does it: the icon gives way to the window underneath; with
// no other window left in view, it stays the active one.
void WindowSet::stateChanged(QMdiSubWindow& child, Qt::WindowStates now) {
    if (!now.testFlag(Qt::WindowMinimized) || m_frame->area().activeSubWindow() != &child) {
        return;
    }
    if (QMdiSubWindow* underneath = topWindowBut(&child)) {
        m_frame->area().setActiveSubWindow(underneath);
    }
}

void WindowSet::chose(const definition::MenuEntry& entry) {
    const auto action = static_cast<StandardAction>(entry.actionCode);
    if (m_states && !canCarryOut(action, m_states->situation())) {
        return;
    }
    if (entry.actionCode != 0) {
        // Qt's event loop called in; an action that fails only does nothing.
        (void)returnsNormally([&] { m_standard->carryOut(entry.actionCode); });
    } else if (entry.id != 0) {
        tell([&](UserActions& a) { a.chose(m_frame->windowId(), entry.id); });
    }
}

void WindowSet::childActivated(QMdiSubWindow* window) {
    for (const auto& [id, child] : m_children) {
        if (child == window && window != nullptr) {
            tell([id = id](UserActions& a) { a.activated(id); });
        }
    }
}

StatusChild* WindowSet::child(WindowId window) const {
    const auto found = m_children.find(window);
    return found == m_children.end() ? nullptr : found->second.data();
}

void WindowSet::setText(WindowId window, int control, const std::string& value) {
    if (StatusChild* shown = child(window)) {
        shown->setControlText(control, latin1Text(value));
    }
}

void WindowSet::focus(WindowId window, int control) {
    if (StatusChild* shown = child(window)) {
        shown->focusControl(control);
    }
}

void WindowSet::close(WindowId window) {
    if (m_frame && m_frame->windowId() == window) {
        m_states.reset();
        if (auto* help = m_standard->helpWindow()) {
            help->close();
        }
        m_frame->closeByProcedure();
        return;
    }
    if (StatusChild* shown = child(window)) {
        m_children.erase(window);
        // Qt would activate the next window in the order they were opened,
        // pulling the oldest from the back; an MDI frame activates the one
        // underneath, which is the top one left.
        QMdiArea* area = m_frame ? &m_frame->area() : nullptr;
        const auto order = area != nullptr ? area->activationOrder() : QMdiArea::CreationOrder;
        if (area != nullptr) {
            area->setActivationOrder(QMdiArea::StackingOrder);
        }
        shown->closeByProcedure();
        if (area != nullptr) {
            area->setActivationOrder(order);
        }
        retitle();
    }
}

void WindowSet::setZone(int zone, const std::string& text, const std::string& tip) {
    if (m_frame) {
        m_frame->setZone(zone, latin1Text(text), latin1Text(tip));
    }
}

void WindowSet::setAbout(const std::string& text) {
    if (m_standard) {
        m_standard->setAboutText(latin1Text(text));
    }
}

void WindowSet::beep() {
    QApplication::beep();
}

void WindowSet::adoptProgramIcon(const QIcon& icon) {
    if (icon.isNull()) {
        return;
    }
    QApplication::setWindowIcon(icon);
    for (const auto& [id, child] : m_children) {
        if (child) {
            child->setWindowIcon(icon);
        }
    }
}

// A box of its own that does not block: the frame and its windows stay usable
// while it is up, and it deletes itself when closed.
void WindowSet::tellUser(const std::string& text) {
    auto* box = new QMessageBox(QMessageBox::Warning, m_frame ? m_frame->windowTitle() : QString("keldwick"),
                                QString::fromStdString(text), QMessageBox::Ok, m_frame.get());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

}  // namespace rt::qt
