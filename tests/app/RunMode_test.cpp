#include "app/RunMode.h"

#include <gtest/gtest.h>

namespace keldwick {
namespace {

TEST(RunMode, HideAnywhereInAnyCaseAsksForHiddenMode) {
    for (const auto* parameters : {"HIDE", "hide", "/hide", "-Hide", "/NOHIDE", "HIDEAWAY", "x y hIdE z"}) {
        EXPECT_TRUE(asksForHiddenMode(parameters)) << parameters;
    }
}

TEST(RunMode, AnythingElseIsNormalMode) {
    for (const auto* parameters : {"", "HID", "H I D E", "HIDDEN", "/H", "EDIH"}) {
        EXPECT_FALSE(asksForHiddenMode(parameters)) << parameters;
    }
}

}  // namespace
}  // namespace keldwick
