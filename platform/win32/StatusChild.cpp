#include "StatusChild.h"

#include <vector>

#include "WindowClass.h"
#include "platform/base/EntryGuard.h"
#include "platform/definition/WindowFrame.h"
#include "platform/window/LabelledValues.h"

namespace rt::win32 {

namespace {

using definition::ControlKind;

constexpr int kDefaultWidth = 200;
constexpr int kDefaultHeight = 100;

// A fixed frame has a thin border and no Maximize button; the system would
// add both to an MDI child unless the client allows every style.
DWORD childStyle(const definition::WindowFrame& frame) {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    if (frame.sizable) {
        style |= WS_THICKFRAME;
    }
    if (frame.maximizable) {
        style |= WS_MAXIMIZEBOX;
    }
    return style;
}

}  // namespace

StatusChild::StatusChild(Key, HWND client, const WindowView& view, UserActions& actions)
    : m_id(view.id),
      m_client(client),
      m_description(view.description),
      m_actions(actions),
      m_controls(view.description),
      m_colours(view.description),
      m_focus(view.focus) {}

bool StatusChild::registerClass(HINSTANCE instance) {
    // Redrawn whole on every change of size: a window that is maximised,
    // restored or takes over from a closed maximised one would otherwise keep
    // bits of what was drawn there before.
    return registerWindowClass(instance, kClassName, &StatusChild::procedure, COLOR_BTNFACE,
                               CS_HREDRAW | CS_VREDRAW);
}

std::unique_ptr<StatusChild> StatusChild::create(HWND client, const WindowView& view, UserActions& actions,
                                                 const Placement& place) {
    auto child = std::make_unique<StatusChild>(Key{}, client, view, actions);
    const auto& description = *view.description;
    const auto& units = child->m_controls.windowFont().units();
    const DWORD style = childStyle(definition::windowFrameOf(description));
    // The definition's size is the window's inside, where its controls go.
    RECT outer{0, 0, units.toPixelsX(givenSizeOr(description.width, kDefaultWidth)),
               units.toPixelsY(givenSizeOr(description.height, kDefaultHeight))};
    ::AdjustWindowRectEx(&outer, style, FALSE, WS_EX_MDICHILD);
    const PixelSize size{outer.right - outer.left, outer.bottom - outer.top};
    const PixelPoint at = place ? place(size) : PixelPoint{CW_USEDEFAULT, CW_USEDEFAULT};
    MDICREATESTRUCTA create{};
    create.szClass = kClassName;
    create.szTitle = description.title.c_str();
    create.hOwner = ::GetModuleHandleA(nullptr);
    create.x = at.x;
    create.y = at.y;
    create.cx = size.width;
    create.cy = size.height;
    create.style = style;
    create.lParam = reinterpret_cast<LPARAM>(child.get());
    if (::SendMessageA(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)) == 0) {
        return nullptr;
    }
    child->m_controls.create(child->m_window, view.texts);
    // The controls may have grown the window: it is placed again by the size it came to.
    RECT grown{};
    ::GetWindowRect(child->m_window, &grown);
    const PixelSize final{grown.right - grown.left, grown.bottom - grown.top};
    if (place && final != size) {
        const PixelPoint again = place(final);
        ::SetWindowPos(child->m_window, nullptr, again.x, again.y, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    child->focus(view.focus);
    return child;
}

StatusChild::~StatusChild() {
    if (m_window != nullptr) {
        ::SetWindowLongPtrA(m_window, GWLP_USERDATA, 0);
        ::SendMessageA(m_client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_window), 0);
    }
}

void StatusChild::setText(int control, const std::string& text) {
    if (HWND found = m_controls.find(control); found != nullptr) {
        ::SetWindowTextA(found, text.c_str());
    }
}

// The focus goes to the control now when this window is the active one, else
// when it next becomes active: SetFocus would otherwise activate it behind
// the person's back.
void StatusChild::focus(int control) {
    m_focus = control;
    HWND found = m_controls.find(control);
    const auto active = reinterpret_cast<HWND>(::SendMessageA(m_client, WM_MDIGETACTIVE, 0, 0));
    if (found != nullptr && active == m_window) {
        ::SetFocus(found);
    }
}

// A minimised window shows no controls, so its keys stay the system's.
bool StatusChild::dialogKey(const MSG& message) {
    if (message.message != WM_KEYDOWN || (message.wParam != VK_RETURN && message.wParam != VK_ESCAPE) ||
        (message.hwnd != m_window && ::IsChild(m_window, message.hwnd) == 0) || ::IsIconic(m_window) != 0) {
        return false;
    }
    if (message.wParam == VK_ESCAPE) {
        m_actions.closeRequested(m_id);
        return true;
    }
    const int button = defaultButton();
    if (button == 0) {
        return false;
    }
    m_actions.pressed(m_id, button);
    return true;
}

int StatusChild::defaultButton() const {
    int first = 0;
    HWND focused = ::GetFocus();
    for (const auto& control : m_description->controls) {
        if (control.kind != ControlKind::PushButton) {
            continue;
        }
        HWND found = m_controls.find(control.id);
        if (found != nullptr && found == focused) {
            return control.id;
        }
        if (first == 0) {
            first = control.id;
        }
    }
    return first;
}

// Remembered for the next time the window gets the focus, and the default
// button's heavier border follows the focus from button to button.
void StatusChild::focusMoved(int control) {
    m_focus = control;
    showDefaultButton();
}

void StatusChild::showDefaultButton() {
    const int chosen = defaultButton();
    for (const auto& item : m_description->controls) {
        HWND found = m_controls.find(item.id);
        if (item.kind != ControlKind::PushButton || found == nullptr) {
            continue;
        }
        const auto style = static_cast<DWORD>(::GetWindowLongPtrA(found, GWL_STYLE));
        const bool isDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        if (isDefault != (item.id == chosen)) {
            ::SendMessageA(found, BM_SETSTYLE,
                           (item.id == chosen ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_NOTIFY, TRUE);
        }
    }
}

std::string StatusChild::valuesText() const {
    std::map<int, std::string> texts;
    for (const auto& control : m_description->controls) {
        HWND found = m_controls.find(control.id);
        if (control.kind != ControlKind::ValueDisplay || found == nullptr) {
            continue;
        }
        std::vector<char> buffer(static_cast<std::size_t>(::GetWindowTextLengthA(found)) + 1);
        ::GetWindowTextA(found, buffer.data(), static_cast<int>(buffer.size()));
        texts[control.id] = buffer.data();
    }
    std::string out;
    for (const auto& line : labelledValues(*m_description, texts)) {
        out += line + "\r\n";
    }
    return out;
}

LRESULT CALLBACK StatusChild::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardEntry(kWindowEndedByError, [&] {
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            const auto* mdi = static_cast<const MDICREATESTRUCTA*>(create->lpCreateParams);
            auto* self = reinterpret_cast<StatusChild*>(mdi->lParam);
            self->m_window = window;
            ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
        auto* self = reinterpret_cast<StatusChild*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self == nullptr) {
            return ::DefMDIChildProcA(window, message, wParam, lParam);
        }
        return self->handle(message, wParam, lParam);
    });
}

// Opened as a pop-up the entries keep whatever state they had, so they are
// set here as the system sets them for a fixed frame.
void StatusChild::openOwnMenu() {
    HMENU menu = ::GetSystemMenu(m_window, FALSE);
    if (menu == nullptr) {
        return;
    }
    const bool iconic = ::IsIconic(m_window) != 0;
    const auto allow = [menu](UINT command, bool allowed) {
        ::EnableMenuItem(menu, command, static_cast<UINT>(MF_BYCOMMAND | (allowed ? MF_ENABLED : MF_GRAYED)));
    };
    allow(SC_RESTORE, iconic);
    allow(SC_MOVE, true);
    allow(SC_SIZE, !iconic && (::GetWindowLongPtrA(m_window, GWL_STYLE) & WS_THICKFRAME) != 0);
    allow(SC_MINIMIZE, !iconic);
    allow(SC_MAXIMIZE, (::GetWindowLongPtrA(m_window, GWL_STYLE) & WS_MAXIMIZEBOX) != 0);
    RECT at{};
    ::GetWindowRect(m_window, &at);
    const int below = iconic ? 0 : ::GetSystemMetrics(SM_CYCAPTION) + ::GetSystemMetrics(SM_CYFIXEDFRAME);
    const int command = ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD,
                                         at.left, at.top + below, 0, m_window, nullptr);
    if (command != 0) {
        ::SendMessageA(m_window, WM_SYSCOMMAND, static_cast<WPARAM>(command), 0);
    }
}

LRESULT StatusChild::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (lParam == 0) {
                break;
            }
            if (HIWORD(wParam) == BN_CLICKED) {
                m_actions.pressed(m_id, LOWORD(wParam));
                return 0;
            }
            if (HIWORD(wParam) == BN_SETFOCUS || HIWORD(wParam) == EN_SETFOCUS) {
                focusMoved(LOWORD(wParam));
                return 0;
            }
            break;
        case WM_CLOSE:
            // The procedure decides; it closes the window through the layer.
            m_actions.closeRequested(m_id);
            return 0;
        case WM_MDIACTIVATE:
            if (reinterpret_cast<HWND>(lParam) == m_window) {
                m_actions.activated(m_id);
            }
            break;
        case WM_SETFOCUS: {
            const LRESULT result = ::DefMDIChildProcA(m_window, message, wParam, lParam);
            if (HWND found = m_controls.find(m_focus); found != nullptr) {
                ::SetFocus(found);
            }
            return result;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
            return reinterpret_cast<LRESULT>(
                m_colours.colour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
        default:
            break;
    }
    return ::DefMDIChildProcA(m_window, message, wParam, lParam);
}

}  // namespace rt::win32
