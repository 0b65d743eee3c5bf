#include "platform/qt/DisplayCheck.h"

#include <gtest/gtest.h>

namespace rt::qt {
namespace {

struct Probes {
    bool x11 = false;
    bool wayland = false;
    int x11Asked = 0;

    DisplayProbes get() {
        return {[this] {
                    ++x11Asked;
                    return x11;
                },
                [this] { return wayland; }};
    }
};

TEST(DisplayCheck, ChosenPlatformIsTrustedWithoutAsking) {
    Probes probes;
    EXPECT_EQ(missingDisplay({"offscreen", "", ""}, probes.get()), std::nullopt);
    EXPECT_EQ(missingDisplay({"xcb", ":99", ""}, probes.get()), std::nullopt);
    EXPECT_EQ(probes.x11Asked, 0);
}

TEST(DisplayCheck, NoDisplayAtAllIsNamed) {
    Probes probes;
    const auto reason = missingDisplay({"", "", ""}, probes.get());
    ASSERT_TRUE(reason);
    EXPECT_NE(reason->find("DISPLAY"), std::string::npos) << *reason;
}

TEST(DisplayCheck, XDisplayThatDoesNotAnswerIsNamed) {
    Probes probes;
    const auto reason = missingDisplay({"", ":42", ""}, probes.get());
    ASSERT_TRUE(reason);
    EXPECT_NE(reason->find(":42"), std::string::npos) << *reason;
    probes.x11 = true;
    EXPECT_EQ(missingDisplay({"", ":42", ""}, probes.get()), std::nullopt);
}

TEST(DisplayCheck, XDisplayIsTriedBeforeWayland) {
    Probes probes;
    probes.x11 = true;
    EXPECT_EQ(missingDisplay({"", ":0", "wayland-0"}, probes.get()), std::nullopt);
    EXPECT_EQ(probes.x11Asked, 1);
}

TEST(DisplayCheck, WaylandAloneNeedsQtsWaylandSupport) {
    Probes probes;
    const auto reason = missingDisplay({"", "", "wayland-0"}, probes.get());
    ASSERT_TRUE(reason);
    EXPECT_NE(reason->find("qt6-wayland"), std::string::npos) << *reason;
    probes.wayland = true;
    EXPECT_EQ(missingDisplay({"", "", "wayland-0"}, probes.get()), std::nullopt);
}

}  // namespace
}  // namespace rt::qt
