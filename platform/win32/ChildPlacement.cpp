#include "ChildPlacement.h"

#include <algorithm>

namespace rt::win32 {

PixelPoint nextChildPosition(std::span<const PixelPoint> open, PixelSize child, PixelSize area, int step) {
    const PixelPoint start =
        open.empty() ? PixelPoint{} : PixelPoint{open.back().x + step, open.back().y + step};
    const auto fits = [&](PixelPoint at) {
        return at.x + child.width <= area.width && at.y + child.height <= area.height;
    };
    const auto isTaken = [&](PixelPoint at) { return std::find(open.begin(), open.end(), at) != open.end(); };
    // One more place than there are windows is always enough to find a free one.
    PixelPoint at = start;
    for (std::size_t tried = 0; tried <= open.size(); ++tried) {
        if (!fits(at)) {
            at = PixelPoint{};
            if (!fits(at)) {
                break;
            }
        }
        if (!isTaken(at)) {
            return at;
        }
        at = PixelPoint{at.x + step, at.y + step};
    }
    return start;
}

std::vector<PixelPoint> tilePositions(std::span<const PixelSize> windows, PixelSize area) {
    PixelSize cell{1, 1};
    for (const auto& window : windows) {
        cell.width = std::max(cell.width, window.width);
        cell.height = std::max(cell.height, window.height);
    }
    const int columns = std::max(area.width / cell.width, 1);
    std::vector<PixelPoint> positions;
    positions.reserve(windows.size());
    for (std::size_t i = 0; i < windows.size(); ++i) {
        const auto index = static_cast<int>(i);
        positions.push_back({index % columns * cell.width, index / columns * cell.height});
    }
    return positions;
}

}  // namespace rt::win32
