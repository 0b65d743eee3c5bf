#include "ChildControls.h"

#include <algorithm>

#include "LayoutUnits.h"
#include "platform/window/LabelledValues.h"

namespace rt::win32 {

namespace {

using definition::ControlKind;

// Room kept between the controls and the window's right and bottom edges when
// the window grows to hold them, in layout units.
constexpr int kEdgeMargin = 4;

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

ChildControls::ChildControls(std::shared_ptr<const definition::WindowDescription> description)
    : m_description(std::move(description)), m_font(m_description->font.face, m_description->font.size) {}

void ChildControls::create(HWND window, const std::map<int, std::string>& texts) {
    m_window = window;
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
    widenDisplays();
    alignLabels();
    fitWindowToControls();
}

HWND ChildControls::find(int id) const {
    const auto found = m_controls.find(id);
    return found != m_controls.end() ? found->second : nullptr;
}

// A value display's picture says how many characters it carries, and the
// average character the layout units count in is narrower than a digit or a
// capital, the usual content (a version: digits, dots, blanks, letters of
// both cases). So each display is widened until that many characters fit
// inside its borders and margins, counting each as the font's widest digit
// or its average capital, whichever is wider; only runs of the widest
// letters (forty W's) need the caret. Its place stays.
void ChildControls::widenDisplays() {
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
        constexpr int kCapitals = 26;
        const int digits = font.textWidth(std::string(static_cast<std::size_t>(characters), widest));
        const int capitals =
            (font.textWidth("ABCDEFGHIJKLMNOPQRSTUVWXYZ") * characters + kCapitals - 1) / kCapitals;
        // One pixel more for the caret after the last character.
        const int textWidth = std::max(digits, capitals) + 1;
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
void ChildControls::alignLabels() {
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
void ChildControls::fitWindowToControls() {
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

const DialogFont& ChildControls::fontFor(const definition::Control& control) {
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

}  // namespace rt::win32
