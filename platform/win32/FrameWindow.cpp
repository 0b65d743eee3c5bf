#include "FrameWindow.h"

#include <commctrl.h>

#include <vector>

#include "StatusBarEdges.h"
#include "WindowClass.h"
#include "platform/base/EntryGuard.h"
#include "platform/window/WindowTitles.h"

namespace rt::win32 {

namespace {

// MDIS_ALLCHILDSTYLES: the children keep the frame their definition asks for;
// without it the system gives every one a sizing border and a Maximize button.
constexpr DWORD kClientStyle =
    WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE | MDIS_ALLCHILDSTYLES;
constexpr int kDefaultWidth = 300;
constexpr int kDefaultHeight = 200;
constexpr WORD kMenuClosed = 0xFFFF;
constexpr const char* kAboutMessage = "Show the program's version and where its report goes";

}  // namespace

FrameWindow::FrameWindow(Key, const WindowView& view, UserActions& actions)
    : m_id(view.id),
      m_description(view.description),
      m_actions(actions),
      m_font(view.description->font.face, view.description->font.size),
      m_menu(view.description->menus, view.description->title) {}

bool FrameWindow::registerClass(HINSTANCE instance) {
    return registerWindowClass(instance, kClassName, &FrameWindow::procedure, COLOR_APPWORKSPACE);
}

std::unique_ptr<FrameWindow> FrameWindow::create(const WindowView& view, UserActions& actions) {
    auto frame = std::make_unique<FrameWindow>(Key{}, view, actions);
    const auto& description = *view.description;
    const auto& units = frame->m_font.units();
    RECT outer{0, 0, units.toPixelsX(givenSizeOr(description.width, kDefaultWidth)),
               units.toPixelsY(givenSizeOr(description.height, kDefaultHeight))};
    ::AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, frame->m_menu.handle() != nullptr, 0);
    HWND window =
        ::CreateWindowExA(0, kClassName, description.title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                          CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top,
                          nullptr, frame->m_menu.handle(), ::GetModuleHandleA(nullptr), frame.get());
    if (window == nullptr) {
        return nullptr;
    }
    frame->m_menu.attached();
    if (!frame->createParts()) {
        return nullptr;
    }
    ::ShowWindow(window, SW_SHOWDEFAULT);
    ::UpdateWindow(window);
    return frame;
}

// The children go first: they are destroyed through the frame's MDI client.
FrameWindow::~FrameWindow() {
    m_children.clear();
}

bool FrameWindow::createParts() {
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    CLIENTCREATESTRUCT client{m_menu.windowMenu(), kFirstChildCommand};
    m_client = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr, kClientStyle, 0, 0, 0, 0,
                                 m_window.get(), nullptr, instance, &client);
    if (m_client == nullptr) {
        return false;
    }
    m_standard.attach(
        m_window.get(), m_client,
        [this] {
            const StatusChild* active = activeChild();
            return active != nullptr ? active->valuesText() : std::string();
        },
        [this] {
            std::vector<HWND> opened;
            for (const auto id : m_order) {
                if (const auto found = m_children.find(id); found != m_children.end()) {
                    opened.push_back(found->second->handle());
                }
            }
            return opened;
        });
    if (!m_description->zoneWidths.empty()) {
        m_statusBar = ::CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0,
                                        0, 0, m_window.get(), reinterpret_cast<HMENU>(INT_PTR{kStatusBarId}),
                                        instance, nullptr);
    }
    RECT inside{};
    ::GetClientRect(m_window.get(), &inside);
    layout(inside.right, inside.bottom);
    return true;
}

// The status bar sizes itself along the bottom; the MDI client takes the rest.
// The zones are in layout units, and their edges are worked out again for the
// new width because the first zone is the one that stretches.
void FrameWindow::layout(int width, int height) {
    int barHeight = 0;
    if (m_statusBar != nullptr) {
        ::SendMessageA(m_statusBar, WM_SIZE, 0, 0);
        RECT bar{};
        ::GetWindowRect(m_statusBar, &bar);
        barHeight = bar.bottom - bar.top;
        std::vector<int> widths;
        for (const auto zone : m_description->zoneWidths) {
            widths.push_back(zone < 0 ? -1 : m_font.units().toPixelsX(zone));
        }
        auto edges = statusBarEdges(widths, width);
        ::SendMessageA(m_statusBar, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
        placeTips();
    }
    if (m_client != nullptr) {
        ::MoveWindow(m_client, 0, 0, width, std::max(0, height - barHeight), TRUE);
    }
}

void FrameWindow::showChild(const WindowView& view) {
    if (m_children.contains(view.id)) {
        return;
    }
    auto place = [this](PixelSize size) {
        RECT area{};
        ::GetClientRect(m_client, &area);
        const int step = ::GetSystemMetrics(SM_CYCAPTION) + ::GetSystemMetrics(SM_CYFRAME);
        return nextWindowPosition(openPositions(), size, {area.right, area.bottom}, step);
    };
    if (auto child = StatusChild::create(m_client, view, m_actions, place)) {
        m_order.push_back(view.id);
        m_children[view.id] = std::move(child);
        retitle();
    }
}

void FrameWindow::retitle() {
    std::vector<std::string> defined;
    std::vector<HWND> windows;
    for (const auto id : m_order) {
        if (const auto found = m_children.find(id); found != m_children.end()) {
            defined.push_back(found->second->definedTitle());
            windows.push_back(found->second->handle());
        }
    }
    const auto shown = shownTitles(defined);
    for (std::size_t i = 0; i < windows.size(); ++i) {
        ::SetWindowTextA(windows[i], shown[i].c_str());
    }
    // The window menu takes the new titles in: not every system follows a
    // child's title there by itself.
    ::SendMessageA(m_client, WM_MDIREFRESHMENU, 0, 0);
    ::DrawMenuBar(m_window.get());
}

void FrameWindow::setZone(int zone, const std::string& text, const std::string& tip) {
    if (m_statusBar == nullptr || zone < 1 ||
        static_cast<std::size_t>(zone) > m_description->zoneWidths.size()) {
        return;
    }
    ::SendMessageA(m_statusBar, SB_SETTEXTA, static_cast<WPARAM>(zone - 1),
                   reinterpret_cast<LPARAM>(text.c_str()));
    if (tip.empty()) {
        m_zoneTips.erase(zone);
    } else {
        m_zoneTips[zone] = tip;
    }
    placeTips();
}

// A tool tip control of its own, which every Windows has: the status bar's
// own tips came with later common controls, and show only for text cut short.
void FrameWindow::placeTips() {
    if (m_tips == nullptr && !m_zoneTips.empty()) {
        m_tips = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_window.get(), nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr);
    }
    if (m_tips == nullptr) {
        return;
    }
    for (std::size_t zone = 1; zone <= m_description->zoneWidths.size(); ++zone) {
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V1_SIZE;
        tool.hwnd = m_statusBar;
        tool.uId = zone;
        ::SendMessageA(m_tips, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    for (auto& [zone, tip] : m_zoneTips) {
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V1_SIZE;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = m_statusBar;
        tool.uId = static_cast<UINT_PTR>(zone);
        ::SendMessageA(m_statusBar, SB_GETRECT, static_cast<WPARAM>(zone - 1),
                       reinterpret_cast<LPARAM>(&tool.rect));
        tool.lpszText = tip.data();
        ::SendMessageA(m_tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void FrameWindow::showAbout() {
    const std::string& title = m_description->title;
    ::MessageBoxA(m_window.get(), m_about.empty() ? title.c_str() : m_about.c_str(),
                  ("About " + title).c_str(), MB_OK | MB_ICONINFORMATION);
}

// Where the open, not minimised, windows stand when restored, oldest first.
std::vector<PixelPoint> FrameWindow::openPositions() const {
    std::vector<PixelPoint> positions;
    for (const auto id : m_order) {
        const auto found = m_children.find(id);
        if (found == m_children.end() || ::IsIconic(found->second->handle()) != 0) {
            continue;
        }
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        ::GetWindowPlacement(found->second->handle(), &placement);
        positions.push_back({placement.rcNormalPosition.left, placement.rcNormalPosition.top});
    }
    return positions;
}

StatusChild* FrameWindow::activeChild() const {
    const auto active = reinterpret_cast<HWND>(::SendMessageA(m_client, WM_MDIGETACTIVE, 0, 0));
    for (const auto& [id, child] : m_children) {
        if (child->handle() == active && active != nullptr) {
            return child.get();
        }
    }
    return nullptr;
}

void FrameWindow::setText(WindowId window, int control, const std::string& text) {
    if (const auto found = m_children.find(window); found != m_children.end()) {
        found->second->setText(control, text);
    }
}

void FrameWindow::focus(WindowId window, int control) {
    if (const auto found = m_children.find(window); found != m_children.end()) {
        found->second->focus(control);
    }
}

// A closed frame only hides: the other windows are its MDI children and stay
// until their own procedures have closed them.
void FrameWindow::close(WindowId window) {
    if (window == m_id) {
        ::ShowWindow(m_window.get(), SW_HIDE);
        return;
    }
    m_children.erase(window);
    std::erase(m_order, window);
    retitle();
}

bool FrameWindow::translate(MSG& message) {
    if (m_client == nullptr) {
        return false;
    }
    if (::TranslateMDISysAccel(m_client, &message) != 0) {
        return true;
    }
    StatusChild* active = activeChild();
    // Alt+minus: the system's own handling opens the frame's menu on some
    // systems (Wine), wherever the focus is in the child.
    if (active != nullptr && message.message == WM_SYSCHAR && message.wParam == '-') {
        active->openOwnMenu();
        return true;
    }
    if (active != nullptr && active->dialogKey(message)) {
        return true;
    }
    if (m_menu.accelerators() != nullptr &&
        ::TranslateAcceleratorA(m_window.get(), m_menu.accelerators(), &message) != 0) {
        return true;
    }
    // Only keys are given to the dialog manager, so Alt+letter still opens the menus.
    const bool isKey =
        message.message == WM_KEYDOWN || message.message == WM_KEYUP || message.message == WM_CHAR;
    if (!isKey || active == nullptr || ::IsDialogMessageA(active->handle(), &message) == 0) {
        return false;
    }
    // Moving the focus, the dialog manager takes the default look from every
    // button, and would give it back only in a dialog of its own.
    active->showDefaultButton();
    return true;
}

ActionSituation FrameWindow::actionSituation() const {
    ActionSituation situation;
    for (const auto& [id, child] : m_children) {
        ++situation.openWindows;
        situation.minimisedWindows += ::IsIconic(child->handle()) != 0 ? 1U : 0U;
    }
    const StatusChild* active = activeChild();
    situation.windowActive = active != nullptr;
    HWND focused = ::GetFocus();
    // Only a control of the active window counts; the focus may sit elsewhere (a dialog).
    if (active != nullptr && ::IsChild(active->handle(), focused) != 0) {
        situation.focusedText = classifyFocus(focused);
        situation.textSelected = situation.focusedText != FocusedText::None && hasSelection(focused);
    }
    return situation;
}

// Answered every time a drop-down menu opens, and before a shortcut key acts,
// so the state always follows the windows and the focus.
void FrameWindow::menuOpening(HMENU popup) {
    const ActionSituation situation = actionSituation();
    const int count = ::GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        const auto* entry = m_menu.command(::GetMenuItemID(popup, i));
        if (entry == nullptr || entry->action == StandardAction::None) {
            continue;
        }
        const UINT state = canCarryOut(entry->action, situation) ? MF_ENABLED : MF_GRAYED;
        ::EnableMenuItem(popup, static_cast<UINT>(i), MF_BYPOSITION | state);
    }
}

void FrameWindow::command(unsigned number) {
    const auto* entry = m_menu.command(number);
    if (entry == nullptr) {
        return;
    }
    switch (entry->action) {
        case StandardAction::None:
            m_actions.chose(m_id, entry->id);
            break;
        case StandardAction::Exit:
            m_actions.exitRequested();
            break;
        default:
            (void)m_standard.carryOut(entry->action);
            break;
    }
}

// While a menu is open its entries' messages replace the zones; they come
// back when it closes. System-menu entries have no message of ours.
void FrameWindow::menuSelected(WPARAM wParam, LPARAM lParam) {
    if (m_statusBar == nullptr) {
        return;
    }
    const UINT item = LOWORD(wParam);
    const UINT flags = HIWORD(wParam);
    const auto menu = reinterpret_cast<HMENU>(lParam);
    if (flags == kMenuClosed && menu == nullptr) {
        ::SendMessageA(m_statusBar, SB_SIMPLE, FALSE, 0);
        return;
    }
    std::string text;
    if (item == kAboutCommand && (flags & MF_POPUP) == 0) {
        text = kAboutMessage;
    } else if ((flags & MF_POPUP) != 0) {
        text = m_menu.popupMessage(::GetSubMenu(menu, static_cast<int>(item)));
    } else if ((flags & MF_SYSMENU) == 0) {
        if (const auto* entry = m_menu.command(item)) {
            text = entry->message;
        }
    }
    ::SendMessageA(m_statusBar, SB_SIMPLE, TRUE, 0);
    ::SendMessageA(m_statusBar, SB_SETTEXTA, SB_SIMPLEID | SBT_NOBORDERS,
                   reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT FrameWindow::passOn(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefFrameProcA(m_window.get(), m_client, message, wParam, lParam);
}

LRESULT CALLBACK FrameWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardEntry(kWindowEndedByError, [&] {
        if (message == WM_NCCREATE) {
            auto* self =
                static_cast<FrameWindow*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
            self->m_window.reset(window);
            ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
        auto* self = reinterpret_cast<FrameWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self == nullptr) {
            return ::DefFrameProcA(window, nullptr, message, wParam, lParam);
        }
        return self->handle(message, wParam, lParam);
    });
}

LRESULT FrameWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            // DefFrameProc would size the MDI client over the status bar.
            layout(LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kAboutCommand) {
                showAbout();
                return 0;
            }
            if (LOWORD(wParam) == kHelpKeyCommand) {
                const StatusChild* active = activeChild();
                m_standard.openHelpFor(active != nullptr ? active->windowKey() : std::string());
                return 0;
            }
            if (m_menu.command(LOWORD(wParam)) != nullptr) {
                command(LOWORD(wParam));
                return 0;
            }
            break;
        case WM_MENUSELECT:
            menuSelected(wParam, lParam);
            break;
        case WM_INITMENUPOPUP:
            if (HIWORD(lParam) == 0) {
                menuOpening(reinterpret_cast<HMENU>(wParam));
            }
            break;
        case WM_CLOSE:
            m_actions.closeRequested(m_id);
            return 0;
        default:
            break;
    }
    return passOn(message, wParam, lParam);
}

}  // namespace rt::win32
