#pragma once

#include <QMdiArea>
#include <QPoint>
#include <QSize>
#include <cstddef>
#include <vector>

namespace rt::qt {

// Lines the minimised child windows up along the bottom edge of the frame's
// window area: left to right, then row by row upward. Qt places a minimised
// window only at the moment it is minimised and offers no call to tidy them
// up later, so this does what it would have done.
class IconArranger {
  public:
    // Top-left corners of `count` icons of size `cell` in an area of size
    // `area`, left-to-right; at least one icon fits in each row.
    static std::vector<QPoint> positions(std::size_t count, QSize cell, QSize area);

    static void arrange(QMdiArea& area);
};

}  // namespace rt::qt
