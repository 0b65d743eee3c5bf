#include "platform/qt/IconArranger.h"

#include <gtest/gtest.h>

#include <vector>

namespace rt::qt {
namespace {

TEST(IconArranger, LinesIconsUpAlongTheBottomFromTheLeft) {
    // Where Qt itself put three minimised 196x24 windows in a 640x379 area.
    EXPECT_EQ(IconArranger::positions(3, {196, 24}, {640, 379}),
              (std::vector<QPoint>{{0, 355}, {196, 355}, {392, 355}}));
}

TEST(IconArranger, StartsANewRowAboveWhenTheRowIsFull) {
    EXPECT_EQ(IconArranger::positions(4, {196, 24}, {400, 379}),
              (std::vector<QPoint>{{0, 355}, {196, 355}, {0, 331}, {196, 331}}));
}

TEST(IconArranger, AreaNarrowerThanAnIconStillHoldsOnePerRow) {
    EXPECT_EQ(IconArranger::positions(2, {196, 24}, {100, 379}), (std::vector<QPoint>{{0, 355}, {0, 331}}));
}

TEST(IconArranger, EmptyCellPlacesNothing) {
    EXPECT_TRUE(IconArranger::positions(3, {0, 24}, {640, 379}).empty());
}

}  // namespace
}  // namespace rt::qt
