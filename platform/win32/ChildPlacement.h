#pragma once

#include <span>
#include <vector>

namespace rt::win32 {

struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

struct PixelSize {
    int width = 0;
    int height = 0;
};

// Where a new window goes inside the frame: a step down and right of the
// last one still open, as cascading would put it, starting again at the top
// left when it would leave the visible area. A place where an open window
// already stands is passed over, so a new window never hides an old one
// exactly (the system's own choice counts windows, and after one has closed
// it lands on a window that is still there). `open` holds the open windows'
// places in the order they were made. When nothing fits, the window goes
// where the cascade would put it, and the frame's scroll bars reach it.
PixelPoint nextChildPosition(std::span<const PixelPoint> open, PixelSize child, PixelSize area, int step);

// Tiling windows that keep their size: a grid of cells as large as the
// largest window, filled row by row from the top left in the order given,
// with as many columns as the area's width holds (at least one). Nothing
// overlaps; what does not fit below is reached with the scroll bars.
std::vector<PixelPoint> tilePositions(std::span<const PixelSize> windows, PixelSize area);

}  // namespace rt::win32
