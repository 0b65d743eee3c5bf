#include "ControlColours.h"

#include "platform/window/ReadableColour.h"

namespace rt::win32 {

namespace {

using definition::ControlKind;

COLORREF colourRef(const definition::Colour& colour) {
    if (colour.isSystemColour()) {
        return ::GetSysColor(colour.systemIndex());
    }
    return static_cast<COLORREF>(colour.raw) & 0x00FFFFFFu;
}

// The defined colour, or a shade of it that reads on the background it is
// drawn on in the colour scheme in use (ReadableColour.h); the definition
// keeps its own.
COLORREF readableOn(COLORREF text, COLORREF background) {
    const auto rgb = [](COLORREF colour) {
        return Rgb{GetRValue(colour), GetGValue(colour), GetBValue(colour)};
    };
    const Rgb shade = readableShade(rgb(text), rgb(background));
    return RGB(shade.red, shade.green, shade.blue);
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
        const bool ownBackground = item.kind == ControlKind::ValueDisplay && item.background.isGiven();
        const COLORREF background = ownBackground ? colourRef(item.background) : ::GetSysColor(COLOR_BTNFACE);
        if (item.font.textColour.isGiven()) {
            ::SetTextColor(dc, readableOn(colourRef(item.font.textColour), background));
        }
        if (ownBackground) {
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
