#include "platform/report/ProfileText.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace rt
