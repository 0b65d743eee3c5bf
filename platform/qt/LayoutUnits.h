#pragma once

#include <cstdint>

namespace rt::desktop {

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

// The average width from the advance of the 52 letters "A"-"Z" and "a"-"z",
// rounded the way dialog layouts have always rounded it, so that windows keep
// the proportions they were designed with.
[[nodiscard]] BaseUnits baseUnitsFrom(int advanceOf52Letters, int height);

// Rounded to the nearest pixel, halves away from zero.
[[nodiscard]] int horizontalPixels(std::int32_t units, BaseUnits base);
[[nodiscard]] int verticalPixels(std::int32_t units, BaseUnits base);

}  // namespace rt::desktop
