#include <gtest/gtest.h>

#include "platform/definition/DefinitionWalk.h"
#include "platform/definition/StoredDefinitions.h"
#include "platform/window/ActionAvailability.h"
#include "platform/window/ValueLabels.h"
#include "platform/window/WindowFrameStyle.h"

namespace rt {
namespace {

definition::WindowDescription stored(std::string_view module, std::string_view window) {
    const auto bytes = definition::findStoredDefinition(module);
    EXPECT_TRUE(bytes) << module;
    auto walked = definition::walkDefinition(*bytes, module, window);
    EXPECT_TRUE(walked) << module;
    return walked ? walked.value() : definition::WindowDescription{};
}

definition::WindowDescription statusWindow() {
    return stored("KELDWICK$STATUSWINDOW", "GETREDIRINFO$WINDOW");
}

definition::WindowDescription frameWindow() {
    return stored("KELDWICK$PROGRAMFRAME", "MAIN$APPFRAME");
}

TEST(WindowFrameStyle, StatusWindowKeepsItsSizeAndTheFrameSizes) {
    const auto status = WindowFrameStyle::of(statusWindow().windowFlags);
    EXPECT_FALSE(status.sizingBorder);
    EXPECT_FALSE(status.maximiseButton);
    const auto frame = WindowFrameStyle::of(frameWindow().windowFlags);
    EXPECT_TRUE(frame.sizingBorder);
    EXPECT_TRUE(frame.maximiseButton);
}

TEST(ValueLabels, ResultsTextHasOneLinePerResultWithoutPadding) {
    const std::map<int, std::string> texts{
        {2, "YES" + std::string(37, ' ')}, {4, "4.00.950"}, {6, "UPGRADE "}, {7, "note"}};
    EXPECT_EQ(resultsText(statusWindow(), texts),
              "Is Win95?\tYES\nVRedir Version:\t4.00.950\nRecommend:\tUPGRADE\n");
}

TEST(ValueLabels, AccessKeyMarksAreNotCopied) {
    EXPECT_EQ(labelText("&Name:  "), "Name:");
    EXPECT_EQ(labelText("Fish && Chips"), "Fish & Chips");
    EXPECT_EQ(labelText("   "), "");
}

TEST(ActionAvailability, NothingToArrangeWithoutWindows) {
    const ActionSituation none;
    for (const auto action : {StandardAction::Tile, StandardAction::Cascade, StandardAction::ArrangeIcons,
                              StandardAction::Cut, StandardAction::Copy, StandardAction::Paste}) {
        EXPECT_FALSE(canCarryOut(action, none)) << static_cast<int>(action);
    }
    for (const auto action :
         {StandardAction::Exit, StandardAction::HelpContents, StandardAction::PrinterSetup}) {
        EXPECT_TRUE(canCarryOut(action, none)) << static_cast<int>(action);
    }
}

TEST(ActionAvailability, ArrangeIconsOnlyForMinimisedWindowsTileOnlyForTheOthers) {
    EXPECT_FALSE(canCarryOut(StandardAction::ArrangeIcons, {.openWindows = 2}));
    EXPECT_TRUE(canCarryOut(StandardAction::ArrangeIcons, {.openWindows = 2, .minimisedWindows = 1}));
    EXPECT_FALSE(canCarryOut(StandardAction::Tile, {.openWindows = 2, .minimisedWindows = 2}));
    EXPECT_TRUE(canCarryOut(StandardAction::Cascade, {.openWindows = 2, .minimisedWindows = 1}));
}

TEST(ActionAvailability, ReadOnlyResultsCanBeCopiedButNeitherCutNorPastedInto) {
    const ActionSituation onResult{
        .openWindows = 1, .windowActive = true, .focusedText = FocusedText::ReadOnly};
    EXPECT_TRUE(canCarryOut(StandardAction::Copy, onResult));
    EXPECT_FALSE(canCarryOut(StandardAction::Cut, onResult));
    EXPECT_FALSE(canCarryOut(StandardAction::Paste, onResult));
    const ActionSituation onButton{.openWindows = 1, .windowActive = true};
    EXPECT_TRUE(canCarryOut(StandardAction::Copy, onButton)) << "copies the window's results";
}

TEST(ActionAvailability, EditableTextIsCutOnlyWhenSomethingIsSelected) {
    ActionSituation editing{.focusedText = FocusedText::Editable};
    EXPECT_FALSE(canCarryOut(StandardAction::Cut, editing));
    EXPECT_FALSE(canCarryOut(StandardAction::Copy, editing));
    EXPECT_TRUE(canCarryOut(StandardAction::Paste, editing));
    editing.textSelected = true;
    EXPECT_TRUE(canCarryOut(StandardAction::Cut, editing));
    EXPECT_TRUE(canCarryOut(StandardAction::Copy, editing));
}

}  // namespace
}  // namespace rt
