#include "StatusBarEdges.h"

#include <algorithm>

namespace rt::win32 {

std::vector<int> statusBarEdges(std::span<const int> widths, int barWidth) {
    std::vector<int> edges;
    if (widths.empty()) {
        return edges;
    }
    long long fixed = 0;
    int stretching = 0;
    for (const int width : widths) {
        if (width < 0) {
            ++stretching;
        } else {
            fixed += width;
        }
    }
    const long long left = std::max(0LL, barWidth - fixed);
    const long long share = stretching > 0 ? left / stretching : 0;
    long long odd = stretching > 0 ? left % stretching : 0;
    long long edge = 0;
    for (const int width : widths) {
        long long part = width;
        if (width < 0) {
            part = share + (odd > 0 ? 1 : 0);
            odd = std::max(0LL, odd - 1);
        }
        edge += part;
        edges.push_back(
            static_cast<int>(std::clamp(edge, 0LL, static_cast<long long>(std::max(barWidth, 0)))));
    }
    edges.back() = -1;
    return edges;
}

}  // namespace rt::win32
