#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace rt::qt {

// The zones of a frame's status bar, left to right, as a definition gives
// them: a width in pixels at 96 dots per inch, or -1 for a zone that takes
// whatever the fixed zones leave (shared evenly when several do). The first
// zone is where a highlighted menu entry shows its message; the others keep
// showing while it does.
class StatusZones {
  public:
    struct Zone {
        int width = 0;  // 0 for a zone that stretches
        bool stretches = false;
        friend bool operator==(const Zone&, const Zone&) = default;
    };

    // Definitions are data: a bar of more zones than this is cut, and a zone
    // wider than any screen is narrowed, instead of building absurd widgets.
    static constexpr std::size_t kMaxZones = 16;
    static constexpr int kMaxWidth = 4096;

    explicit StatusZones(std::span<const std::int32_t> widths);

    const std::vector<Zone>& zones() const { return m_zones; }

  private:
    std::vector<Zone> m_zones;
};

}  // namespace rt::qt
