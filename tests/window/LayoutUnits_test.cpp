#include "platform/window/LayoutUnits.h"

#include <gtest/gtest.h>

namespace rt {
namespace {

// Measured: 8-point Liberation Sans (Arial's stand-in) advances the 52
// letters by 333 pixels at a height of 12; DejaVu Sans by 353 at 13.
constexpr BaseUnits kArial8{6, 12};

TEST(LayoutUnits, AverageWidthIsRoundedHalfOfTheLetterPairs) {
    EXPECT_EQ(baseUnitsFrom(333, 12), kArial8);
    EXPECT_EQ(baseUnitsFrom(353, 13), (BaseUnits{7, 13}));
    // 26 letters of 6.5 pixels lie exactly between two averages and round up.
    EXPECT_EQ(baseUnitsFrom(338, 12).x, 7);
}

TEST(LayoutUnits, FontThatMeasuresNothingStillGivesUsableUnits) {
    EXPECT_EQ(baseUnitsFrom(0, 0), (BaseUnits{1, 1}));
    EXPECT_EQ(baseUnitsFrom(-40, -3), (BaseUnits{1, 1}));
}

TEST(LayoutUnits, StatusWindowAndFrameKeepTheirDesignedSize) {
    EXPECT_EQ(horizontalPixels(236, kArial8), 354);
    EXPECT_EQ(verticalPixels(102, kArial8), 153);
    EXPECT_EQ(horizontalPixels(310, kArial8), 465);
    EXPECT_EQ(verticalPixels(190, kArial8), 285);
}

TEST(LayoutUnits, HalvesRoundAwayFromZero) {
    EXPECT_EQ(horizontalPixels(103, kArial8), 155) << "154.5";
    EXPECT_EQ(verticalPixels(3, kArial8), 5) << "4.5";
    EXPECT_EQ(horizontalPixels(-103, kArial8), -155);
    EXPECT_EQ(verticalPixels(-1, kArial8), -2) << "-1.5";
    EXPECT_EQ(verticalPixels(1, {6, 11}), 1) << "1.375";
}

TEST(LayoutUnits, ValuesBeyondAnyScreenAreClampedNotWrapped) {
    EXPECT_EQ(horizontalPixels(INT32_MAX, kArial8), kMaxPixels);
    EXPECT_EQ(verticalPixels(INT32_MIN, kArial8), -kMaxPixels);
    EXPECT_EQ(horizontalPixels(1 << 20, {1 << 12, 1}), kMaxPixels);
}

}  // namespace
}  // namespace rt
