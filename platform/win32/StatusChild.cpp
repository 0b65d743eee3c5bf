#include "StatusChild.h"

#include <algorithm>
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
// Room kept between the controls and the window's right and bottom edges when
// the window grows to hold them, in layout units.
constexpr int kEdgeMargin = 4;

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

struct ControlClass {
    const char* name;
    DWORD style;
    DWORD extendedStyle;
};

ControlClass classFor(ControlKind kind) {
    switch (kind) {
        case ControlKind::ValueDisplay:
            return {"EDIT", WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE};
        case ControlKind::PushButton:
            // BS_NOTIFY, so that the window hears when a button takes the focus.
            return {"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY, 0};
        case ControlKind::StaticText:
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

// A control's rectangle in the coordinates of the window's inside.
RECT rectIn(HWND parent, HWND control) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Where the first line of an edit control's text begins, in the parent's
// coordinates: below its border and the control's own top margin.
int textTopOf(HWND parent, HWND edit) {
    RECT format{};
    ::SendMessageA(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    POINT origin{0, 0};
    ::MapWindowPoints(edit, parent, &origin, 1);
    return origin.y + format.top;
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
    const auto& units = child->m_font.units();
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
    child->createControls(view.texts);
    child->widenDisplays();
    child->alignLabels();
    child->fitWindowToControls();
    child->focus(view.focus);
    return child;
}

StatusChild::~StatusChild() {
    if (m_window != nullptr) {
        ::SetWindowLongPtrA(m_window, GWLP_USERDATA, 0);
        ::SendMessageA(m_client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_window), 0);
    }
}

void StatusChild::createControls(const std::map<int, std::string>& texts) {
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    bool defaultGiven = false;
    for (const auto& control : m_description->controls) {
        const auto found = texts.find(control.id);
        const std::string& text = found != texts.end() ? found->second : control.text;
        const auto& font = fontFor(control);
        const auto rect = m_font.units().controlRect(control, font.textWidth(text));
        auto kind = classFor(control.kind);
        if (control.kind == ControlKind::PushButton && !defaultGiven) {
            kind.style |= BS_DEFPUSHBUTTON;
            defaultGiven = true;
        }
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

// A value display's picture says how many characters it carries, and the
// average character the layout units count in is narrower than a digit, the
// usual content. So each display is widened until that many of the font's
// widest digit fit inside its borders and margins; its place stays.
void StatusChild::widenDisplays() {
    for (const auto& control : m_description->controls) {
        const auto found = m_controls.find(control.id);
        const int characters = pictureWidth(control.picture);
        if (control.kind != ControlKind::ValueDisplay || found == m_controls.end() || characters <= 0 ||
            control.width != definition::kNotGiven) {
            continue;
        }
        const auto& font = fontFor(control);
        char widest = '0';
        for (char digit = '1'; digit <= '9'; ++digit) {
            if (font.textWidth(std::string(1, digit)) > font.textWidth(std::string(1, widest))) {
                widest = digit;
            }
        }
        // One pixel more for the caret after the last character.
        const int textWidth = font.textWidth(std::string(static_cast<std::size_t>(characters), widest)) + 1;
        HWND edit = found->second;
        RECT format{};
        ::SendMessageA(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
        const RECT outer = rectIn(m_window, edit);
        const int overhead = (outer.right - outer.left) - (format.right - format.left);
        const int width = textWidth + overhead;
        if (width > outer.right - outer.left) {
            ::SetWindowPos(edit, nullptr, 0, 0, width, outer.bottom - outer.top,
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
}

// A label is moved down (or up) the few pixels that put its text on the same
// baseline as its value's, which sits below the display's border and margin;
// the value display keeps its place.
void StatusChild::alignLabels() {
    for (const auto& display : m_description->controls) {
        const auto* label =
            display.kind == ControlKind::ValueDisplay ? labelOf(*m_description, display) : nullptr;
        const auto edit = m_controls.find(display.id);
        const auto text = label != nullptr ? m_controls.find(label->id) : m_controls.end();
        if (label == nullptr || edit == m_controls.end() || text == m_controls.end()) {
            continue;
        }
        const int baseline = textTopOf(m_window, edit->second) + fontFor(display).ascent();
        const RECT at = rectIn(m_window, text->second);
        ::SetWindowPos(text->second, nullptr, at.left, baseline - fontFor(*label).ascent(), 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// The window's inside grows to hold every control with a margin to spare,
// never shrinks below the size the definition gives.
void StatusChild::fitWindowToControls() {
    RECT inside{};
    ::GetClientRect(m_window, &inside);
    int right = inside.right;
    int bottom = inside.bottom;
    for (const auto& [id, control] : m_controls) {
        const RECT at = rectIn(m_window, control);
        right = std::max(right, static_cast<int>(at.right) + m_font.units().toPixelsX(kEdgeMargin));
        bottom = std::max(bottom, static_cast<int>(at.bottom) + m_font.units().toPixelsY(kEdgeMargin));
    }
    if (right == inside.right && bottom == inside.bottom) {
        return;
    }
    RECT outer{0, 0, right, bottom};
    ::AdjustWindowRectEx(&outer, static_cast<DWORD>(::GetWindowLongPtrA(m_window, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongPtrA(m_window, GWL_EXSTYLE)));
    ::SetWindowPos(m_window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

const DialogFont& StatusChild::fontFor(const definition::Control& control) {
    const auto& font = control.font;
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
        const auto found = m_controls.find(control.id);
        if (found != m_controls.end() && found->second == focused) {
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
    const int chosen = defaultButton();
    for (const auto& item : m_description->controls) {
        const auto found = m_controls.find(item.id);
        if (item.kind != ControlKind::PushButton || found == m_controls.end()) {
            continue;
        }
        const auto style = static_cast<DWORD>(::GetWindowLongPtrA(found->second, GWL_STYLE));
        const bool isDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        if (isDefault != (item.id == chosen)) {
            ::SendMessageA(found->second, BM_SETSTYLE,
                           (item.id == chosen ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_NOTIFY, TRUE);
        }
    }
}

std::string StatusChild::valuesText() const {
    std::map<int, std::string> texts;
    for (const auto& control : m_description->controls) {
        const auto found = m_controls.find(control.id);
        if (control.kind != ControlKind::ValueDisplay || found == m_controls.end()) {
            continue;
        }
        std::vector<char> buffer(static_cast<std::size_t>(::GetWindowTextLengthA(found->second)) + 1);
        ::GetWindowTextA(found->second, buffer.data(), static_cast<int>(buffer.size()));
        texts[control.id] = buffer.data();
    }
    std::string out;
    for (const auto& line : labelledValues(*m_description, texts)) {
        out += line + "\r\n";
    }
    return out;
}

HBRUSH StatusChild::brush(COLORREF colour) {
    auto& brush = m_brushes[colour];
    if (!brush) {
        brush.reset(::CreateSolidBrush(colour));
    }
    return brush.get();
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
        if (item.kind == ControlKind::ValueDisplay && item.background.isGiven()) {
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
