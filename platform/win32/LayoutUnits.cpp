#include "LayoutUnits.h"

#include <algorithm>

namespace rt::win32 {

namespace {

constexpr int kQuarters = 4;

// Room around a button's text, in layout units.
constexpr int kButtonTextMargin = 10;
constexpr int kDisplayMargin = 4;

bool isGiven(std::int32_t value) {
    return value != definition::kNotGiven;
}

}  // namespace

int givenSizeOr(std::int32_t size, int fallback) {
    return isGiven(size) && size > 0 ? size : fallback;
}

LayoutUnits LayoutUnits::fromFontMetrics(int lettersWidth, int textHeight) {
    const auto base = baseUnitsFrom(lettersWidth, textHeight);
    return LayoutUnits(base.x, base.y);
}

LayoutUnits::LayoutUnits(int baseX, int baseY) : m_baseX(std::max(baseX, 1)), m_baseY(std::max(baseY, 1)) {}

int LayoutUnits::toPixelsX(std::int32_t units) const {
    return horizontalPixels(units, {m_baseX, m_baseY});
}

int LayoutUnits::toPixelsY(std::int32_t units) const {
    return verticalPixels(units, {m_baseX, m_baseY});
}

PixelRect LayoutUnits::controlRect(const definition::Control& control, int textWidthPixels) const {
    PixelRect rect;
    rect.x = isGiven(control.x) ? toPixelsX(control.x) : 0;
    rect.y = isGiven(control.y) ? toPixelsY(control.y) : 0;
    switch (control.kind) {
        case definition::ControlKind::StaticText:
            rect.width = textWidthPixels + toPixelsX(1);
            rect.height = toPixelsY(kFittedTextHeight);
            break;
        case definition::ControlKind::ValueDisplay:
            rect.width = toPixelsX(pictureWidth(control.picture) * kQuarters + kDisplayMargin);
            rect.height = toPixelsY(kFittedDisplayHeight);
            break;
        case definition::ControlKind::PushButton:
            rect.width =
                std::max(toPixelsX(kFittedButtonWidth), textWidthPixels + toPixelsX(kButtonTextMargin));
            rect.height = toPixelsY(kFittedButtonHeight);
            break;
    }
    if (isGiven(control.width)) {
        rect.width = toPixelsX(control.width);
    }
    if (isGiven(control.height)) {
        rect.height = toPixelsY(control.height);
    }
    return rect;
}

int pictureWidth(const std::string& picture) {
    std::size_t at = 0;
    while (at < picture.size() && (picture[at] < '0' || picture[at] > '9')) {
        ++at;
    }
    int width = 0;
    for (; at < picture.size() && picture[at] >= '0' && picture[at] <= '9' && width < 1000; ++at) {
        width = width * 10 + (picture[at] - '0');
    }
    return std::min(width, 1000);
}

}  // namespace rt::win32
