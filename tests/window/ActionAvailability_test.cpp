#include "platform/window/ActionAvailability.h"

#include <gtest/gtest.h>

namespace rt {
namespace {

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
