#include "platform/window/LabelledValues.h"

#include <gtest/gtest.h>

#include "platform/definition/StoredDefinitions.h"
#include "platform/window/StandardShortcut.h"

namespace rt {
namespace {

rt::definition::WindowDescription statusWindow() {
    auto walked = rt::definition::loadWindowDescription("KELDWICK$STATUSWINDOW", "GETREDIRINFO$WINDOW");
    EXPECT_TRUE(walked.ok());
    return walked ? walked.value() : rt::definition::WindowDescription{};
}

rt::definition::Control text(int id, std::int32_t x, std::int32_t y, std::string content) {
    rt::definition::Control control;
    control.id = id;
    control.x = x;
    control.y = y;
    control.text = std::move(content);
    return control;
}

rt::definition::Control display(int id, std::int32_t x, std::int32_t y) {
    auto control = text(id, x, y, "");
    control.kind = rt::definition::ControlKind::ValueDisplay;
    return control;
}

TEST(LabelledValues, StatusWindowCopiesAsThreeLabelledLines) {
    const auto lines =
        labelledValues(statusWindow(), {{2, "YES"}, {4, "4.00.1116"}, {6, "UPGRADE"}, {7, "Results..."}});
    EXPECT_EQ(lines,
              (std::vector<std::string>{"Is Win95? YES", "VRedir Version: 4.00.1116", "Recommend: UPGRADE"}));
}

TEST(LabelledValues, LabelsOffTheirRowByAUnitStillBelongToIt) {
    const auto window = statusWindow();
    std::vector<int> labels;
    for (const auto& control : window.controls) {
        if (control.kind == rt::definition::ControlKind::ValueDisplay) {
            const auto* label = labelOf(window, control);
            labels.push_back(label != nullptr ? label->id : 0);
        }
    }
    EXPECT_EQ(labels, (std::vector<int>{1, 3, 5}));
}

TEST(LabelledValues, NearestTextOnTheLeftWinsAndTextsElsewhereDoNot) {
    rt::definition::WindowDescription window;
    window.controls = {text(1, 0, 10, "Far:"), text(2, 30, 12, "Near:"), text(3, 10, 30, "Below"),
                       text(4, 90, 10, "Right"), display(5, 60, 10)};
    EXPECT_EQ(labelOf(window, window.controls[4])->id, 2);
    window.controls[1].y = 15;
    EXPECT_EQ(labelOf(window, window.controls[4])->id, 1) << "five units off is another row";
}

TEST(LabelledValues, DisplayWithoutLabelOrTextStillHasItsLine) {
    rt::definition::WindowDescription window;
    window.controls = {display(1, 60, 10), text(2, 0, 40, "Name "), display(3, 60, 40)};
    EXPECT_EQ(labelledValues(window, {{1, "alone  "}}), (std::vector<std::string>{"alone", "Name"}));
}

TEST(StandardShortcut, ClipboardExitAndHelpHaveTheirUsualKeys) {
    EXPECT_EQ(shortcutText(*standardShortcut(StandardAction::Copy)), "Ctrl+C");
    EXPECT_EQ(shortcutText(*standardShortcut(StandardAction::Exit)), "Ctrl+Q");
    EXPECT_EQ(shortcutText(kHelpKey), "F1");
    EXPECT_FALSE(standardShortcut(StandardAction::HelpContents)) << "F1 is the active window's help";
    EXPECT_FALSE(standardShortcut(StandardAction::Tile));
    EXPECT_FALSE(standardShortcut(StandardAction::None));
}

}  // namespace
}  // namespace rt
