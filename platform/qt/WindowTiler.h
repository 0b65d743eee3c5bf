#pragma once

#include <QMdiArea>
#include <QRect>
#include <QSize>
#include <cstddef>
#include <vector>

namespace rt::desktop {

// Lays the child windows out side by side inside the frame's window area as
// it is now. Qt's own tiling makes the whole frame larger when the windows do
// not fit at their smallest; here the frame keeps its size and the area
// scrolls to what does not fit.
class WindowTiler {
  public:
    // `count` cells in rows of ceil(sqrt(count)) over an area of `area`,
    // left to right, then top to bottom. A cell is never smaller than
    // `smallest`, so windows that cannot shrink never overlap.
    static std::vector<QRect> cells(std::size_t count, QSize area, QSize smallest);

    // Windows that can be resized fill their cell; fixed-size ones keep their
    // size at its top-left corner. Minimised windows stay where they are.
    static void tile(QMdiArea& area);
};

}  // namespace rt::desktop
