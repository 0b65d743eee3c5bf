// The presenter's arithmetic, which needs no window: status bar edges, layout
// units, command numbers, the clipboard rule and what a failed help page
// says. Which menu entries can act, where new windows go and how they tile
// are rules both presenters share, tested with the window layer.
#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/HelpPages.h"
#include "platform/win32/LayoutUnits.h"
#include "platform/win32/MenuCommands.h"
#include "platform/win32/StatusBarEdges.h"

namespace rt::win32 {
namespace {

std::vector<int> edges(std::vector<int> widths, int barWidth) {
    return statusBarEdges(widths, barWidth);
}

TEST(StatusBarEdges, FirstZoneTakesWhatTheFixedZonesLeave) {
    EXPECT_EQ(edges({-1, 80, 120, 45}, 640), (std::vector<int>{395, 475, 595, -1}));
}

TEST(StatusBarEdges, FixedZonesKeepTheirWidthWhenTheBarGrows) {
    const auto narrow = edges({-1, 80, 120, 45}, 400);
    const auto wide = edges({-1, 80, 120, 45}, 900);
    EXPECT_EQ(wide[0] - narrow[0], 500);
    EXPECT_EQ(wide[1] - wide[0], narrow[1] - narrow[0]);
    EXPECT_EQ(wide[2] - wide[1], narrow[2] - narrow[1]);
}

TEST(StatusBarEdges, NarrowBarSqueezesTheStretchingZoneAndClipsTheRest) {
    EXPECT_EQ(edges({-1, 80, 120, 45}, 200), (std::vector<int>{0, 80, 200, -1}));
    EXPECT_EQ(edges({-1, 80, 120, 45}, 0), (std::vector<int>{0, 0, 0, -1}));
}

TEST(StatusBarEdges, TwoStretchingZonesShareEvenlyLeftmostTakingTheOddPixel) {
    EXPECT_EQ(edges({-1, 100, -1}, 301), (std::vector<int>{101, 201, -1}));
}

TEST(StatusBarEdges, LastEdgeAlwaysReachesTheBorder) {
    EXPECT_EQ(edges({50}, 300), (std::vector<int>{-1}));
    EXPECT_TRUE(edges({}, 300).empty());
}

TEST(LayoutUnits, BaseWidthFromTheFiftyTwoLettersRoundsAsTheSystemDoes) {
    // Arial 8 at 96 dpi: 52 letters are 298 px wide, text 14 px high.
    const auto units = LayoutUnits::fromFontMetrics(298, 14);
    EXPECT_EQ(units.baseX(), 6);
    EXPECT_EQ(units.baseY(), 14);
    EXPECT_EQ(LayoutUnits::fromFontMetrics(311, 14).baseX(), 6);
    EXPECT_EQ(LayoutUnits::fromFontMetrics(312, 14).baseX(), 6);
    EXPECT_EQ(LayoutUnits::fromFontMetrics(338, 14).baseX(), 7);
}

TEST(LayoutUnits, ConvertsWithMulDivRounding) {
    const LayoutUnits units(6, 13);
    EXPECT_EQ(units.toPixelsX(4), 6);
    EXPECT_EQ(units.toPixelsX(3), 5);  // 4.5 rounds up
    EXPECT_EQ(units.toPixelsY(8), 13);
    EXPECT_EQ(units.toPixelsY(3), 5);    // 4.875
    EXPECT_EQ(units.toPixelsX(-3), -5);  // rounds away from zero, as MulDiv
}

TEST(LayoutUnits, FitsSizesTheDefinitionLeavesOpen) {
    const LayoutUnits units(6, 13);
    rt::definition::Control display;
    display.kind = rt::definition::ControlKind::ValueDisplay;
    display.x = 67;
    display.y = 20;
    display.picture = "s40";
    const auto rect = units.controlRect(display, 999);
    EXPECT_EQ(rect.x, units.toPixelsX(67));
    EXPECT_EQ(rect.y, units.toPixelsY(20));
    EXPECT_GE(rect.width, units.toPixelsX(160)) << "forty average characters must fit";

    rt::definition::Control text;
    text.x = 10;
    text.y = 3;
    EXPECT_GE(units.controlRect(text, 120).width, 120) << "a text is never cut";

    rt::definition::Control button;
    button.kind = rt::definition::ControlKind::PushButton;
    button.x = 103;
    button.y = 82;
    button.width = 50;
    EXPECT_EQ(units.controlRect(button, 20).width, units.toPixelsX(50)) << "a given size wins";
}

TEST(LayoutUnits, NotGivenPositionIsTheOrigin) {
    rt::definition::Control text;
    const auto rect = LayoutUnits(6, 13).controlRect(text, 10);
    EXPECT_EQ(rect.x, 0);
    EXPECT_EQ(rect.y, 0);
}

TEST(LayoutUnits, PictureWidthReadsTheCharacterCount) {
    EXPECT_EQ(pictureWidth("s40"), 40);
    EXPECT_EQ(pictureWidth("S8"), 8);
    EXPECT_EQ(pictureWidth("n"), 0);
    EXPECT_EQ(pictureWidth("s99999999999"), 1000) << "a huge picture is capped, not overflowed";
}

rt::definition::MenuEntry item(int id, int action, std::string message = {}) {
    rt::definition::MenuEntry entry;
    entry.id = id;
    entry.actionCode = action;
    entry.message = std::move(message);
    return entry;
}

TEST(MenuCommands, EveryItemGetsItsOwnNumberBelowTheWindowList) {
    MenuCommands commands;
    const auto exit = commands.add(item(-3, 15, "Exit this application"));
    const auto noId = commands.add(item(0, 0));
    const auto sameId = commands.add(item(-3, 0));
    EXPECT_GE(exit, kFirstMenuCommand);
    EXPECT_NE(exit, noId);
    EXPECT_NE(exit, sameId) << "entries are told apart by position, not by their ids";
    ASSERT_NE(commands.find(exit), nullptr);
    EXPECT_EQ(commands.find(exit)->id, -3);
    EXPECT_EQ(commands.find(exit)->action, StandardAction::Exit);
    EXPECT_EQ(commands.find(exit)->message, "Exit this application");
}

TEST(MenuCommands, NumbersOutsideTheTableAreNotOurs) {
    MenuCommands commands;
    (void)commands.add(item(-1, 0));
    EXPECT_EQ(commands.find(kFirstMenuCommand + 1), nullptr);
    EXPECT_EQ(commands.find(kFirstChildCommand), nullptr);
    EXPECT_EQ(commands.find(2), nullptr);
}

TEST(MenuCommands, RangeEndsBeforeThePresentersOwnCommandsAndTheWindowList) {
    MenuCommands commands;
    unsigned last = 0;
    for (unsigned i = 0; i < kAboutCommand - kFirstMenuCommand; ++i) {
        last = commands.add(item(-1, 0));
    }
    EXPECT_EQ(last, kAboutCommand - 1);
    EXPECT_EQ(commands.add(item(-1, 0)), 0u);
    EXPECT_LT(kHelpKeyCommand, kFirstChildCommand);
    EXPECT_NE(kHelpKeyCommand, kAboutCommand);
}

TEST(Clipboard, ReadOnlyDisplayGivesItsTextAwayButNeverChanges) {
    EXPECT_EQ(clipboardMessageFor(StandardAction::Cut, FocusedText::ReadOnly), ClipboardMessage::Copy);
    EXPECT_EQ(clipboardMessageFor(StandardAction::Copy, FocusedText::ReadOnly), ClipboardMessage::Copy);
    EXPECT_EQ(clipboardMessageFor(StandardAction::Paste, FocusedText::ReadOnly), ClipboardMessage::None);
}

TEST(Clipboard, WritableEditTakesEveryAction) {
    EXPECT_EQ(clipboardMessageFor(StandardAction::Cut, FocusedText::Editable), ClipboardMessage::Cut);
    EXPECT_EQ(clipboardMessageFor(StandardAction::Paste, FocusedText::Editable), ClipboardMessage::Paste);
}

TEST(Clipboard, ButtonsAndNoFocusTakeNothing) {
    EXPECT_EQ(clipboardMessageFor(StandardAction::Copy, FocusedText::None), ClipboardMessage::None);
    EXPECT_EQ(clipboardMessageFor(StandardAction::Cut, FocusedText::None), ClipboardMessage::None);
}

TEST(HelpPages, EveryHelpEntryHasItsOwnPage) {
    EXPECT_STREQ(helpPageFor(StandardAction::HelpContents), "index.html");
    EXPECT_STREQ(helpPageFor(StandardAction::HelpSearch), "search.html");
    EXPECT_STREQ(helpPageFor(StandardAction::HelpOnHelp), "using-help.html");
}

// The page was there, yet the person read that the file was not found: the
// shell answers so when the program set up for .html files is missing.
TEST(HelpPages, MissingProgramForAPageThatIsThereIsNamedAsSuch) {
    for (const long long answer : {2LL, 3LL, 31LL}) {
        EXPECT_EQ(shellFailureReason(answer).rfind("No program on this computer", 0), 0u) << answer;
    }
}

TEST(HelpPages, PageAboutAWindowNamesItInItsHead) {
    const std::string page = "<head>\n<meta name=\"keldwick-window\" content=\"GETREDIRINFO$WINDOW\">\n";
    EXPECT_TRUE(pageNamesWindow(page, "GETREDIRINFO$WINDOW"));
    EXPECT_FALSE(pageNamesWindow(page, "GETREDIRINFO"));
    EXPECT_FALSE(pageNamesWindow(page, ""));
    EXPECT_TRUE(isHelpPage("status-window.HTML"));
    EXPECT_FALSE(isHelpPage("notes.txt"));
    EXPECT_FALSE(isHelpPage(".html"));
}

TEST(HelpPages, FailureNamesTheFileAndWhyItCouldNotBeOpened) {
    const auto message = helpFailureMessage("C:\\keldwick\\help\\index.html", shellFailureReason(31));
    EXPECT_NE(message.find("C:\\keldwick\\help\\index.html"), std::string::npos);
    EXPECT_NE(message.find("No program on this computer is set up to open .html files"), std::string::npos);
    EXPECT_NE(shellFailureReason(1234).find("1234"), std::string::npos)
        << "unknown answers keep their number";
}

}  // namespace
}  // namespace rt::win32
