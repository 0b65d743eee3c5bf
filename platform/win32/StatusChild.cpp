#include "StatusChild.h"

#include "WindowClass.h"

namespace rt::win32 {

namespace {

constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_BORDER;
constexpr int kDefaultWidth = 200;
constexpr int kDefaultHeight = 100;

struct ControlClass {
    const char* name;
    DWORD style;
    DWORD extendedStyle;
};

ControlClass classFor(definition::ControlKind kind) {
    switch (kind) {
        case definition::ControlKind::ValueDisplay:
            return {"EDIT", WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE};
        case definition::ControlKind::PushButton:
            return {"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0};
        case definition::ControlKind::StaticText:
            break;
    }
    return {"STATIC", SS_LEFT | SS_NOPREFIX, 0};
}

COLORREF colourRef(const definition::Colour& colour) {
    if (colour.isSystemColour()) {
        return ::GetSysColor(colour.systemIndex());
    }
    return static_cast<COLORREF>(colour.raw) & 0x00FFFFFFu;
}

int sizeOr(std::int32_t value, int fallback) {
    return value == definition::kNotGiven || value <= 0 ? fallback : value;
}

}  // namespace

StatusChild::StatusChild(Key, HWND client, const WindowView& view, UserActions& actions)
    : m_id(view.id),
      m_client(client),
      m_description(view.description),
      m_actions(actions),
      m_font(view.description->font.face, view.description->font.size),
      m_focus(view.focus) {}

bool StatusChild::registerClass(HINSTANCE instance) {
    return registerWindowClass(instance, kClassName, &StatusChild::procedure, COLOR_BTNFACE);
}

std::unique_ptr<StatusChild> StatusChild::create(HWND client, const WindowView& view, UserActions& actions) {
    auto child = std::make_unique<StatusChild>(Key{}, client, view, actions);
    const auto& description = *view.description;
    const auto& units = child->m_font.units();
    // The definition's size is the window's inside, where its controls go.
    RECT outer{0, 0, units.toPixelsX(sizeOr(description.width, kDefaultWidth)),
               units.toPixelsY(sizeOr(description.height, kDefaultHeight))};
    ::AdjustWindowRectEx(&outer, kChildStyle, FALSE, WS_EX_MDICHILD);
    MDICREATESTRUCTA create{};
    create.szClass = kClassName;
    create.szTitle = description.title.c_str();
    create.hOwner = ::GetModuleHandleA(nullptr);
    create.x = CW_USEDEFAULT;
    create.y = CW_USEDEFAULT;
    create.cx = outer.right - outer.left;
    create.cy = outer.bottom - outer.top;
    create.style = kChildStyle;
    create.lParam = reinterpret_cast<LPARAM>(child.get());
    if (::SendMessageA(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)) == 0) {
        return nullptr;
    }
    child->createControls(view.texts);
    child->focus(view.focus);
    return child;
}

StatusChild::~StatusChild() {
    if (m_window != nullptr) {
        ::SetWindowLongPtrA(m_window, GWLP_USERDATA, 0);
        ::SendMessageA(m_client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_window), 0);
    }
    for (const auto& [colour, brush] : m_brushes) {
        ::DeleteObject(brush);
    }
}

void StatusChild::createControls(const std::map<int, std::string>& texts) {
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    for (const auto& control : m_description->controls) {
        const auto found = texts.find(control.id);
        const std::string& text = found != texts.end() ? found->second : control.text;
        const auto& font = fontFor(control.font);
        const auto rect = m_font.units().controlRect(control, font.textWidth(text));
        const auto kind = classFor(control.kind);
        HWND created =
            ::CreateWindowExA(kind.extendedStyle, kind.name, text.c_str(), WS_CHILD | WS_VISIBLE | kind.style,
                              rect.x, rect.y, rect.width, rect.height, m_window,
                              reinterpret_cast<HMENU>(INT_PTR{control.id}), instance, nullptr);
        if (created != nullptr) {
            ::SendMessageA(created, WM_SETFONT, reinterpret_cast<WPARAM>(font.handle()), FALSE);
            m_controls[control.id] = created;
        }
    }
}

const DialogFont& StatusChild::fontFor(const definition::Font& font) {
    const auto& own = m_description->font;
    if ((font.face.empty() || font.face == own.face) && (font.size == 0 || font.size == own.size)) {
        return m_font;
    }
    const auto key = std::make_pair(font.face, font.size);
    auto found = m_controlFonts.find(key);
    if (found == m_controlFonts.end()) {
        found = m_controlFonts.emplace(key, DialogFont(font.face, font.size)).first;
    }
    return found->second;
}

void StatusChild::setText(int control, const std::string& text) {
    if (const auto found = m_controls.find(control); found != m_controls.end()) {
        ::SetWindowTextA(found->second, text.c_str());
    }
}

// The focus goes to the control now when this window is the active one, else
// when it next becomes active: SetFocus would otherwise activate it behind
// the person's back.
void StatusChild::focus(int control) {
    m_focus = control;
    const auto found = m_controls.find(control);
    const auto active = reinterpret_cast<HWND>(::SendMessageA(m_client, WM_MDIGETACTIVE, 0, 0));
    if (found != m_controls.end() && active == m_window) {
        ::SetFocus(found->second);
    }
}

HBRUSH StatusChild::brush(COLORREF colour) {
    auto& brush = m_brushes[colour];
    if (brush == nullptr) {
        brush = ::CreateSolidBrush(colour);
    }
    return brush;
}

// Read-only edits and statics both ask here. A value display takes its
// background from the definition; a text takes the window's background and
// its font's colour.
HBRUSH StatusChild::colour(HDC dc, HWND control) {
    const int id = ::GetDlgCtrlID(control);
    for (const auto& item : m_description->controls) {
        if (item.id != id) {
            continue;
        }
        if (item.font.textColour.isGiven()) {
            ::SetTextColor(dc, colourRef(item.font.textColour));
        }
        if (item.kind == definition::ControlKind::ValueDisplay && item.background.isGiven()) {
            const COLORREF background = colourRef(item.background);
            ::SetBkColor(dc, background);
            return item.background.isSystemColour() ? ::GetSysColorBrush(item.background.systemIndex())
                                                    : brush(background);
        }
        break;
    }
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    return ::GetSysColorBrush(COLOR_BTNFACE);
}

LRESULT CALLBACK StatusChild::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
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
}

LRESULT StatusChild::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED && lParam != 0) {
                m_actions.pressed(m_id, LOWORD(wParam));
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
            if (const auto found = m_controls.find(m_focus); found != m_controls.end()) {
                ::SetFocus(found->second);
            }
            return result;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
            return reinterpret_cast<LRESULT>(
                colour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
        default:
            break;
    }
    return ::DefMDIChildProcA(m_window, message, wParam, lParam);
}

}  // namespace rt::win32
