#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace rt::win32 {

// The status bar's part edges for SB_SETPARTS. The definition gives zone
// widths from left to right, -1 for a zone that takes what the others leave;
// the common control wants right edges, with -1 only meaning "to the border",
// which fits a last zone that stretches but not a first one. So the edges are
// computed again from the bar's width on every resize: fixed zones keep their
// width, stretching zones share the rest evenly (the leftmost take the odd
// pixels), a bar narrower than the fixed zones squeezes the stretching ones to
// nothing and clips the rest, and the last edge is always -1 so that the last
// zone reaches the border and the size grip.
std::vector<int> statusBarEdges(std::span<const int> widths, int barWidth);

}  // namespace rt::win32
