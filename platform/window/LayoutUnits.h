#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>

// Inline, so that every presenter (a loadable module among them) carries the
// same arithmetic without linking the window layer.
namespace rt {

// Window definitions place and size things in layout units: x in quarters of
// the window font's average character width, y in eighths of its height. The
// results are logical pixels; the toolkit scales them for high-density screens.
struct BaseUnits {
    int x = 1;  // average character width in pixels
    int y = 1;  // character height in pixels
    friend bool operator==(const BaseUnits&, const BaseUnits&) = default;
};

// A window can hold at most this many pixels in either direction; larger
// values in a definition are clamped rather than overflowing.
inline constexpr int kMaxPixels = 32767;

// Sizes, in layout units, that dialog layouts give controls whose definition
// leaves the size open (the usual push button is 50 by 14).
inline constexpr int kFittedTextHeight = 8;
inline constexpr int kFittedDisplayHeight = 12;
inline constexpr int kFittedButtonWidth = 50;
inline constexpr int kFittedButtonHeight = 14;

namespace layout_detail {

// units * base / divisor in 64 bits, rounded half away from zero as MulDiv does,
// so that no value a definition can hold overflows.
inline int scaled(std::int32_t units, int base, std::int64_t divisor) {
    const std::int64_t product = static_cast<std::int64_t>(units) * base;
    const std::int64_t magnitude = (std::llabs(product) + divisor / 2) / divisor;
    const std::int64_t value = product < 0 ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<std::int64_t>(value, -kMaxPixels, kMaxPixels));
}

}  // namespace layout_detail

// The average width from the advance of the 52 letters "A"-"Z" and "a"-"z",
// rounded the way dialog layouts have always rounded it, so that windows keep
// the proportions they were designed with. A font that measures nothing (no
// font found) still yields usable windows.
[[nodiscard]] inline BaseUnits baseUnitsFrom(int advanceOf52Letters, int height) {
    constexpr int kLetterPairs = 26;
    return {std::max((advanceOf52Letters / kLetterPairs + 1) / 2, 1), std::max(height, 1)};
}

[[nodiscard]] inline int horizontalPixels(std::int32_t units, BaseUnits base) {
    return layout_detail::scaled(units, base.x, 4);
}

[[nodiscard]] inline int verticalPixels(std::int32_t units, BaseUnits base) {
    return layout_detail::scaled(units, base.y, 8);
}

}  // namespace rt
