#include "LayoutUnits.h"

#include <algorithm>
#include <cstdlib>

namespace rt::desktop {

namespace {

constexpr int kLettersHalf = 26;
constexpr std::int64_t kQuartersPerCharacter = 4;
constexpr std::int64_t kEighthsPerCharacter = 8;

// units * base / divisor in 64 bits, so that no value a definition can hold overflows.
int scaled(std::int32_t units, int base, std::int64_t divisor) {
    const std::int64_t product = static_cast<std::int64_t>(units) * base;
    const std::int64_t magnitude = (std::llabs(product) + divisor / 2) / divisor;
    const std::int64_t value = product < 0 ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<std::int64_t>(value, -kMaxPixels, kMaxPixels));
}

}  // namespace

BaseUnits baseUnitsFrom(int advanceOf52Letters, int height) {
    // A font that measures nothing (no font found) still yields usable windows.
    return {std::max((advanceOf52Letters / kLettersHalf + 1) / 2, 1), std::max(height, 1)};
}

int horizontalPixels(std::int32_t units, BaseUnits base) {
    return scaled(units, base.x, kQuartersPerCharacter);
}

int verticalPixels(std::int32_t units, BaseUnits base) {
    return scaled(units, base.y, kEighthsPerCharacter);
}

}  // namespace rt::desktop
