#include "platform/qt/StatusZones.h"

#include <gtest/gtest.h>

#include <vector>

namespace rt::qt {
namespace {

using Zone = StatusZones::Zone;

TEST(StatusZones, FirstZoneStretchesAndTheOthersKeepTheirOrder) {
    const std::vector<std::int32_t> widths{-1, 80, 120, 45};
    EXPECT_EQ(StatusZones(widths).zones(),
              (std::vector<Zone>{{0, true}, {80, false}, {120, false}, {45, false}}));
}

TEST(StatusZones, AnyNegativeWidthStretches) {
    const std::vector<std::int32_t> widths{30, -7, INT32_MIN};
    EXPECT_EQ(StatusZones(widths).zones(), (std::vector<Zone>{{30, false}, {0, true}, {0, true}}));
}

TEST(StatusZones, AbsurdDefinitionsAreCutDownToSize) {
    const std::vector<std::int32_t> wide{INT32_MAX, 0};
    EXPECT_EQ(StatusZones(wide).zones(), (std::vector<Zone>{{StatusZones::kMaxWidth, false}, {0, false}}));
    const std::vector<std::int32_t> many(1000, 10);
    EXPECT_EQ(StatusZones(many).zones().size(), StatusZones::kMaxZones);
}

}  // namespace
}  // namespace rt::qt
