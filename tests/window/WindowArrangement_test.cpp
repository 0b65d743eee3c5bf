// How both presenters place, tile, title and colour the child windows: the
// arithmetic they share, without a screen.
#include "platform/window/WindowArrangement.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/window/ReadableColour.h"
#include "platform/window/WindowTitles.h"

namespace rt {
namespace {

TEST(ChildPlacement, FirstWindowAtTheTopLeftEachNextOneStepFurther) {
    std::vector<PixelPoint> open;
    EXPECT_EQ(nextWindowPosition(open, {100, 80}, {640, 480}, 20), (PixelPoint{0, 0}));
    open = {{0, 0}, {20, 20}};
    EXPECT_EQ(nextWindowPosition(open, {100, 80}, {640, 480}, 20), (PixelPoint{40, 40}));
}

TEST(ChildPlacement, CascadeThatWouldLeaveTheAreaStartsAgainAStepFurtherRight) {
    std::vector<PixelPoint> open = {{0, 0}, {20, 20}, {40, 40}};
    EXPECT_EQ(nextWindowPosition(open, {100, 80}, {150, 130}, 20), (PixelPoint{20, 0}));
    open.push_back({20, 0});
    EXPECT_EQ(nextWindowPosition(open, {100, 80}, {150, 130}, 20), (PixelPoint{40, 20}))
        << "and cascades on from there";
}

TEST(ChildPlacement, PlaceOfAClosedWindowIsUsedButNeverAnOpenOne) {
    const std::vector<PixelPoint> afterClose = {{0, 0}, {40, 40}};
    EXPECT_EQ(nextWindowPosition(afterClose, {100, 80}, {150, 130}, 20), (PixelPoint{20, 20}));
    const std::vector<PixelPoint> dragged = {{60, 60}, {40, 40}};
    EXPECT_EQ(nextWindowPosition(dragged, {100, 80}, {640, 480}, 20), (PixelPoint{80, 80}))
        << "60,60 is taken by the first window";
}

TEST(ChildPlacement, FortyWindowsInTheDefaultFrameAllInViewNoneExactlyOnAnother) {
    // A status window and the frame's window area with Arial 8 on Linux.
    const PixelSize window{358, 180};
    const PixelSize area{465, 230};
    std::vector<PixelPoint> open;
    for (int i = 0; i < 40; ++i) {
        const PixelPoint at = nextWindowPosition(open, window, area, 20);
        EXPECT_GE(at.x, 0) << i;
        EXPECT_GE(at.y, 0) << i;
        EXPECT_LE(at.x + window.width, area.width) << i;
        EXPECT_LE(at.y + window.height, area.height) << i;
        open.push_back(at);
    }
    std::set<std::pair<int, int>> distinct;
    for (const auto& at : open) {
        distinct.insert({at.x, at.y});
    }
    EXPECT_EQ(distinct.size(), open.size());
}

TEST(ChildPlacement, WindowLargerThanTheAreaKeepsItsTopLeftInView) {
    EXPECT_EQ(nextWindowPosition({}, {700, 500}, {640, 480}, 20), (PixelPoint{0, 0}));
    const std::vector<PixelPoint> open = {{0, 0}};
    EXPECT_EQ(nextWindowPosition(open, {700, 500}, {640, 480}, 20), (PixelPoint{20, 20}))
        << "no free place in view: the cascade goes on, within the scroll bars' reach";
}

TEST(Tiling, KeepsSizesInAGridAsWideAsTheAreaHolds) {
    const std::vector<PixelSize> windows = {{300, 150}, {300, 150}, {280, 160}, {300, 150}};
    EXPECT_EQ(tilePositions(windows, {{640, 200}}),
              (std::vector<PixelPoint>{{0, 0}, {300, 0}, {0, 160}, {300, 160}}));
    EXPECT_EQ(tilePositions(windows, {{200, 200}}),
              (std::vector<PixelPoint>{{0, 0}, {0, 160}, {0, 320}, {0, 480}}))
        << "one column when not even one window fits across";
}

TEST(Tiling, SquarerGridWhereItStillFitsInView) {
    const std::vector<PixelSize> four(4, PixelSize{100, 50});
    EXPECT_EQ(tilePositions(four, {{1000, 500}}),
              (std::vector<PixelPoint>{{0, 0}, {100, 0}, {0, 50}, {100, 50}}));
    const std::vector<PixelSize> three(3, PixelSize{100, 50});
    EXPECT_EQ(tilePositions(three, {{1000, 60}}), (std::vector<PixelPoint>{{0, 0}, {100, 0}, {200, 0}}))
        << "one row in view: as many across as fit";
}

TEST(Tiling, IconRowStaysFreeAndRowsThatDoNotFitGoOnBelowIt) {
    const std::vector<PixelSize> windows(3, PixelSize{100, 50});
    TileArea area{{100, 130}};
    area.iconHeight = 30;
    EXPECT_EQ(tilePositions(windows, area), (std::vector<PixelPoint>{{0, 0}, {0, 50}, {0, 130}}));
}

TEST(Tiling, ScrollBarThatRowsBelowTheViewBringTakesItsRoom) {
    const std::vector<PixelSize> windows(5, PixelSize{100, 50});
    TileArea area{{210, 100}};
    area.scrollBar = 15;
    EXPECT_EQ(tilePositions(windows, area),
              (std::vector<PixelPoint>{{0, 0}, {0, 50}, {0, 100}, {0, 150}, {0, 200}}));
}

TEST(WindowTitles, OnlyWindowsThatShareATitleAreNumberedInTheOrderTheyOpened) {
    EXPECT_EQ(shownTitles(std::vector<std::string>{"Status"}), std::vector<std::string>{"Status"});
    EXPECT_EQ(shownTitles(std::vector<std::string>{"Status", "Other", "Status", "Status"}),
              (std::vector<std::string>{"Status:1", "Other", "Status:2", "Status:3"}));
}

TEST(ReadableColour, ContrastRunsFromOneToTwentyOne) {
    EXPECT_DOUBLE_EQ(contrastRatio({0, 0, 0}, {255, 255, 255}), 21.0);
    EXPECT_DOUBLE_EQ(contrastRatio({0, 0, 255}, {0, 0, 255}), 1.0);
}

TEST(ReadableColour, ColourThatReadsStaysAsDefined) {
    EXPECT_EQ(readableShade({0, 0, 255}, {240, 240, 240}), (Rgb{0, 0, 255}));
}

TEST(ReadableColour, BlueOnADarkPaletteBecomesALighterBlueThatReads) {
    const Rgb dark{53, 53, 53};
    ASSERT_LT(contrastRatio({0, 0, 255}, dark), 2.0);
    const Rgb shade = readableShade({0, 0, 255}, dark);
    EXPECT_GE(contrastRatio(shade, dark), kReadableContrast);
    EXPECT_EQ(shade.blue, 255) << "still blue";
    EXPECT_EQ(shade.red, shade.green);
    EXPECT_LT(shade.red, shade.blue);
}

TEST(ReadableColour, EveryColourReadsOnTheHardestBackgrounds) {
    for (const Rgb background : {Rgb{118, 118, 118}, Rgb{255, 255, 0}, Rgb{0, 0, 128}}) {
        for (const Rgb colour : {Rgb{0, 0, 255}, Rgb{255, 0, 0}, Rgb{128, 128, 128}, background}) {
            EXPECT_GE(contrastRatio(readableShade(colour, background), background), kReadableContrast);
        }
    }
}

}  // namespace
}  // namespace rt
