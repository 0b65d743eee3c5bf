#include "ControlColours.h"

namespace rt::win32 {

namespace {

using definition::ControlKind;

COLORREF colourRef(const definition::Colour& colour) {
    if (colour.isSystemColour()) {
        return ::GetSysColor(colour.systemIndex());
    }
    return static_cast<COLORREF>(colour.raw) & 0x00FFFFFFu;
}

}  // namespace

HBRUSH ControlColours::brush(COLORREF colour) {
    auto& brush = m_brushes[colour];
    if (!brush) {
        brush.reset(::CreateSolidBrush(colour));
    }
    return brush.get();
}

// Read-only edits and statics both ask here.
HBRUSH ControlColours::colour(HDC dc, HWND control) {
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

}  // namespace rt::win32
