#include "platform/report/ProfileText.h"

#include <gtest/gtest.h>

#include "platform/report/ProfileLines.h"

namespace rt {
namespace {

TEST(ProfileText, NewFileGetsSectionThenEntryWithCrLf) {
    const auto text = withProfileEntry("", "VREDIR.VXD", "ISWIN95", "YES");
    EXPECT_EQ(text, "[VREDIR.VXD]\r\nISWIN95=YES\r\n");
    EXPECT_EQ(withProfileEntry(text, "VREDIR.VXD", "VERSION", "4.00.1116"),
              "[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=4.00.1116\r\n");
}

TEST(ProfileText, ReplacesEntryMatchedWithoutCaseAndKeepsItsSpelling) {
    const std::string text = "[Vredir.Vxd]\r\nIsWin95=NO\r\nVersion=1\r\n";
    EXPECT_EQ(withProfileEntry(text, "VREDIR.VXD", "ISWIN95", "YES"),
              "[Vredir.Vxd]\r\nIsWin95=YES\r\nVersion=1\r\n");
}

TEST(ProfileText, MatchesNamesWithSurroundingWhitespace) {
    const std::string text = "[ VREDIR.VXD ]\r\n  ISWIN95 = NO\r\n";
    EXPECT_EQ(withProfileEntry(text, "VREDIR.VXD", "ISWIN95", "YES"), "[ VREDIR.VXD ]\r\nISWIN95=YES\r\n");
}

TEST(ProfileText, KeepsEveryUnrelatedByte) {
    const std::string text =
        "; written by hand\n"
        "[Other]\n"
        "a = 1\n"
        "\n"
        "[VREDIR.VXD]\r\n"
        "; note=not an entry\r\n"
        "ISWIN95=NO\r\n"
        "\r\n"
        "[Last]\rz=9\r";
    EXPECT_EQ(withProfileEntry(text, "vredir.vxd", "VERSION", "4.0"),
              "; written by hand\n"
              "[Other]\n"
              "a = 1\n"
              "\n"
              "[VREDIR.VXD]\r\n"
              "; note=not an entry\r\n"
              "ISWIN95=NO\r\n"
              "VERSION=4.0\r\n"
              "\r\n"
              "[Last]\rz=9\r");
}

TEST(ProfileText, CommentHoldingAnEqualsSignIsNoEntry) {
    const std::string text = "[S]\r\n;ISWIN95=old\r\n";
    EXPECT_EQ(withProfileEntry(text, "S", "ISWIN95", "YES"), "[S]\r\n;ISWIN95=old\r\nISWIN95=YES\r\n");
}

TEST(ProfileText, NewSectionGoesAtTheEndWithoutBlankLine) {
    EXPECT_EQ(withProfileEntry("[A]\r\nx=1\r\n", "B", "y", "2"), "[A]\r\nx=1\r\n[B]\r\ny=2\r\n");
}

TEST(ProfileText, LastLineWithoutLineEndIsCompletedBeforeAdding) {
    EXPECT_EQ(withProfileEntry("[A]\r\nx=1", "A", "y", "2"), "[A]\r\nx=1\r\ny=2\r\n");
    EXPECT_EQ(withProfileEntry("[A]\r\nx=1", "B", "y", "2"), "[A]\r\nx=1\r\n[B]\r\ny=2\r\n");
    EXPECT_EQ(withProfileEntry("[A]", "A", "y", "2"), "[A]\r\ny=2\r\n");
}

TEST(ProfileText, ReplacingKeepsTheLinesOwnLineEnd) {
    EXPECT_EQ(withProfileEntry("[A]\nx=1\nz=3", "A", "x", "2"), "[A]\nx=2\nz=3");
    EXPECT_EQ(withProfileEntry("[A]\nx=1", "A", "x", "2"), "[A]\nx=2");
}

TEST(ProfileText, FirstMatchingSectionAndEntryWin) {
    const std::string text = "[A]\r\nx=1\r\nx=2\r\n[A]\r\nx=3\r\n";
    EXPECT_EQ(withProfileEntry(text, "a", "X", "9"), "[A]\r\nx=9\r\nx=2\r\n[A]\r\nx=3\r\n");
}

TEST(ProfileValue, LineBreaksCannotInjectLines) {
    const auto text = withProfileEntry("", "VREDIR.VXD", "VERSION", "4.0\r\n[X]\r\nISWIN95=YES");
    EXPECT_EQ(text, "[VREDIR.VXD]\r\nVERSION=4.0  [X]  ISWIN95=YES\r\n");
}

TEST(ProfileValue, NulEndsTheTextAndTrailingBlanksGo) {
    using namespace std::string_view_literals;
    EXPECT_EQ(profileValue("4.00\0hidden"sv), "4.00");
    EXPECT_EQ(profileValue("  4.00.1116   "), "  4.00.1116");
    EXPECT_EQ(profileValue("   "), "");
    EXPECT_EQ(profileValue("a\t"), "a\t");
}

TEST(ProfileNames, RefuseNamesThatWouldReadAsOtherLines) {
    EXPECT_TRUE(isValidSectionName("VREDIR.VXD"));
    EXPECT_FALSE(isValidSectionName(""));
    EXPECT_FALSE(isValidSectionName("  "));
    EXPECT_FALSE(isValidSectionName("A]B"));
    EXPECT_FALSE(isValidSectionName("A\nB"));
    EXPECT_TRUE(isValidEntryName("ISWIN95"));
    EXPECT_FALSE(isValidEntryName("A=B"));
    EXPECT_FALSE(isValidEntryName("[A"));
    EXPECT_FALSE(isValidEntryName(";A"));
    EXPECT_FALSE(isValidEntryName(""));
}

// What a reader of a profile finds under a section and an entry name, or "(none)".
std::string readEntry(std::string_view text, std::string_view section, std::string_view entry) {
    const auto lines = profileLines(text);
    const auto header = findProfileSection(lines, section);
    const auto* found = header ? findProfileEntry(profileSectionBody(lines, *header), entry) : nullptr;
    return found != nullptr ? std::string(found->value) : "(none)";
}

// A reader must find the very entry the writer changes, or the two would
// disagree about what a report says.
TEST(ProfileLines, ReadsTheEntryThatTheWriterReplaces) {
    const std::string_view texts[] = {
        "[A]\r\nx=1\r\nx=2\r\n[A]\r\nx=3\r\n", "[ a ]\n  X = 1\n", "[A\rx=1\r", "[B]\nx=0\n[A]\n;x=9\nx=1",
        "x=0\n[A]\n\n\nx=1\n[C]\nx=2\n",
    };
    for (const auto text : texts) {
        EXPECT_NE(readEntry(text, "A", "x"), "(none)") << text;
        EXPECT_EQ(readEntry(withProfileEntry(text, "A", "x", "new"), "a", "X"), "new") << text;
    }
}

TEST(ProfileLines, ValueKeepsLeadingBlanksAndControlBytesAndLosesTrailingSpaces) {
    EXPECT_EQ(readEntry("[A]\r\nV=  4.00\x01\t  \r\n", "A", "V"), "  4.00\x01\t");
    EXPECT_EQ(readEntry("[A]\r\nV = 1=2\r\n", "A", "V"), " 1=2");
    EXPECT_EQ(readEntry("[A]\r\nV=\r\n", "A", "V"), "");
    EXPECT_EQ(readEntry("[A]\r\nV=1", "A", "V"), "1");
}

TEST(ProfileLines, EntriesBelongToTheirSectionAndCommentsAreNone) {
    EXPECT_EQ(readEntry("x=1\n[A]\n", "A", "x"), "(none)");
    EXPECT_EQ(readEntry("[A]\n[B]\nx=1\n", "A", "x"), "(none)");
    EXPECT_EQ(readEntry("[A]\n;x=1\n", "A", "x"), "(none)");
    EXPECT_EQ(readEntry("[A]\nx\n", "A", "x"), "(none)");
    EXPECT_EQ(readEntry("[AB]\nx=1\n", "A", "x"), "(none)");
    EXPECT_EQ(readEntry("", "A", "x"), "(none)");
}

}  // namespace
}  // namespace rt
