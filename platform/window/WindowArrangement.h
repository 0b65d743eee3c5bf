#pragma once

#include <algorithm>
#include <cstddef>
#include <span>
#include <vector>

// Inline, as LayoutUnits.h is: both presenters place and tile child windows
// by the same arithmetic without linking the window layer. Positions are in
// pixels of the frame's window area, whose visible top left is 0,0.
namespace rt {

struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

struct PixelSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// Where a new child window goes: a step down and right of the newest one
// still open, as a cascade goes on, passing over places where an open window
// stands exactly. Where the cascade would leave the visible area it starts
// again near the top left, at the first free place of the cascades that begin
// a step further right along the top edge each (then a step further down the
// left edge), so that each start stands a small offset from the last and the
// title bars stay apart; once all of those are taken, starts half and then a
// quarter of a step apart. Only when nothing in view is free does it go on
// from the newest one, where the area's scroll bars reach it. A window larger
// than the area keeps its top left corner in view. `open` holds the places of
// the open, not minimised, windows in the order they were opened; `step` is
// about a title bar's height.
[[nodiscard]] inline PixelPoint nextWindowPosition(std::span<const PixelPoint> open, PixelSize window,
                                                   PixelSize area, int step) {
    step = std::max(step, 1);
    const int lastX = std::max(area.width - window.width, 0);
    const int lastY = std::max(area.height - window.height, 0);
    const auto inside = [&](PixelPoint at) {
        return at.x >= 0 && at.y >= 0 && at.x <= lastX && at.y <= lastY;
    };
    const auto isFree = [&](PixelPoint at) { return std::find(open.begin(), open.end(), at) == open.end(); };
    const auto firstFreeFrom = [&](PixelPoint start, PixelPoint& found) {
        for (PixelPoint at = start; inside(at); at = {at.x + step, at.y + step}) {
            if (isFree(at)) {
                found = at;
                return true;
            }
        }
        return false;
    };
    const PixelPoint next =
        open.empty() ? PixelPoint{} : PixelPoint{open.back().x + step, open.back().y + step};
    if (PixelPoint found; firstFreeFrom(next, found)) {
        return found;
    }
    for (int offset = step; offset >= std::max(step / 4, 1); offset /= 2) {
        PixelPoint found;
        for (int start = 0; start <= lastX; start += offset) {
            if (firstFreeFrom({start, 0}, found)) {
                return found;
            }
        }
        for (int start = offset; start <= lastY; start += offset) {
            if (firstFreeFrom({0, start}, found)) {
                return found;
            }
        }
    }
    return next;
}

// The room that tiling fills.
struct TileArea {
    PixelSize visible;   // the area as shown without scroll bars
    int iconHeight = 0;  // kept free along the bottom, where minimised windows line up
    int scrollBar = 0;   // a scroll bar's thickness, taken off should one appear
};

// Tiling windows that keep their size: a grid of cells as large as the
// largest window, filled row by row from the top left in the order given,
// nothing overlapping and the icons' row left free. It has as many columns
// as fit across, fewer where a squarer grid still fits in view (four windows
// two by two). Rows that do not fit above the icons go on below them, where
// the scroll bars reach.
[[nodiscard]] inline std::vector<PixelPoint> tilePositions(std::span<const PixelSize> windows,
                                                           const TileArea& area) {
    PixelSize cell{1, 1};
    for (const auto& window : windows) {
        cell.width = std::max(cell.width, window.width);
        cell.height = std::max(cell.height, window.height);
    }
    const int count = static_cast<int>(windows.size());
    int width = area.visible.width;
    int height = area.visible.height;
    const auto columnsIn = [&] { return std::max(width / cell.width, 1); };
    const auto rowsIn = [&] { return std::max((height - area.iconHeight) / cell.height, 1); };
    if (cell.width > width) {
        height -= area.scrollBar;
    }
    int columns = columnsIn();
    int rows = rowsIn();
    if (count > columns * rows) {
        width -= area.scrollBar;
        columns = columnsIn();
        if (cell.width > width && cell.width <= area.visible.width) {
            height -= area.scrollBar;
            rows = rowsIn();
        }
    }
    int square = 1;
    while (square * square < count) {
        ++square;
    }
    if (square < columns && (count + square - 1) / square <= rows) {
        columns = square;
    }
    // Below the rows in view: under the icons where there are any.
    const int below = area.iconHeight > 0 ? height : rows * cell.height;
    std::vector<PixelPoint> positions;
    positions.reserve(windows.size());
    for (int i = 0; i < count; ++i) {
        const int row = i / columns;
        const int y = row < rows ? row * cell.height : below + (row - rows) * cell.height;
        positions.push_back({i % columns * cell.width, y});
    }
    return positions;
}

}  // namespace rt
