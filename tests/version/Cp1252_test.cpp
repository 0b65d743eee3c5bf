#include "platform/version/Cp1252.h"

#include <gtest/gtest.h>

#include <vector>

namespace rt::version {
namespace {

std::vector<std::byte> utf16(std::initializer_list<char16_t> units) {
    std::vector<std::byte> out;
    for (const auto unit : units) {
        out.push_back(static_cast<std::byte>(unit & 0xFF));
        out.push_back(static_cast<std::byte>(unit >> 8));
    }
    return out;
}

TEST(Cp1252, KeepsAsciiAndLatin1) {
    EXPECT_EQ(utf16ToCp1252(utf16({u'4', u'.', 0x00E9, 0x00FF, 0x00A0})), "4.\xE9\xFF\xA0");
}

TEST(Cp1252, MapsTheTypographicCharactersIntoTheC1Range) {
    EXPECT_EQ(utf16ToCp1252(utf16({0x20AC, 0x2122, 0x201C, 0x201D, 0x0178, 0x2014})),
              "\x80\x99\x93\x94\x9F\x97");
}

TEST(Cp1252, ReplacesWhatTheCodePageLacksWithAQuestionMark) {
    EXPECT_EQ(utf16ToCp1252(utf16({0x0101, 0x4E2D, 0x0080})), "???") << "U+0080 has no CP1252 byte";
    EXPECT_EQ(toCp1252(0x0081), '\x81') << "unused bytes map back from their C1 control";
}

TEST(Cp1252, TurnsASurrogatePairIntoOneQuestionMark) {
    EXPECT_EQ(utf16ToCp1252(utf16({u'a', 0xD83D, 0xDE00, u'b'})), "a?b");
    EXPECT_EQ(utf16ToCp1252(utf16({0xD83D})), "?") << "a lone surrogate";
}

TEST(Cp1252, StopsAtTheFirstNulUnitOrAnOddLastByte) {
    EXPECT_EQ(utf16ToCp1252(utf16({u'a', 0, u'b'})), "a");
    auto odd = utf16({u'a', u'b'});
    odd.push_back(std::byte{'c'});
    EXPECT_EQ(utf16ToCp1252(odd), "ab");
}

TEST(Cp1252, ComparesWholeTextsIgnoringCaseOfAccentedLettersToo) {
    EXPECT_TRUE(equalsIgnoringCase("FileVersion", "fILEvERSION"));
    EXPECT_TRUE(equalsIgnoringCase("\xC9T\xC9", "\xE9t\xE9"));
    EXPECT_TRUE(equalsIgnoringCase("\x8A", "\x9A"));
    EXPECT_FALSE(equalsIgnoringCase("\xD7", "\xF7")) << "multiplication and division signs are not letters";
    EXPECT_FALSE(equalsIgnoringCase("File", "FileVersion"));
    EXPECT_FALSE(equalsIgnoringCase("[", "{"));
}

}  // namespace
}  // namespace rt::version
