#include "StatusZones.h"

#include <algorithm>

namespace rt::qt {

StatusZones::StatusZones(std::span<const std::int32_t> widths) {
    const auto count = std::min(widths.size(), kMaxZones);
    for (const auto width : widths.first(count)) {
        // Any negative width means "not fixed": -1 is the only one definitions use.
        if (width < 0) {
            m_zones.push_back({0, true});
        } else {
            m_zones.push_back({static_cast<int>(std::min<std::int32_t>(width, kMaxWidth)), false});
        }
    }
}

}  // namespace rt::qt
