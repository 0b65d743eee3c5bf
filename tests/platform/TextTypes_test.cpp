#include <gtest/gtest.h>

#include <cstdio>

#include "platform/base/CStringBuffer.h"
#include "platform/base/TextField.h"

namespace rt {
namespace {

TEST(TextField, PadsWithBlanksAndCutsLongerText) {
    TextField<5> field;
    EXPECT_EQ(field.padded(), "     ");
    EXPECT_TRUE(field.isBlank());
    field = "abcdefg";
    EXPECT_EQ(field.padded(), "abcde");
    field = "ab";
    EXPECT_EQ(field.padded(), "ab   ");
}

TEST(TextField, ComparisonsIgnoreTrailingBlanksOnly) {
    TextField<10> field("  YES");
    EXPECT_TRUE(field == "  YES   ");
    EXPECT_FALSE(field == "YES") << "leading blanks are significant";
    EXPECT_TRUE(TextField<20>("NO") == TextField<40>("NO  "));
}

TEST(TextField, TrimmingKeepsTabsAndOtherBytes) {
    const TextField<8> field("a\t \xE9 ");
    EXPECT_EQ(field.trimmed(), "a\t \xE9");
    EXPECT_FALSE(TextField<4>("\t").isBlank());
}

TEST(CStringBuffer, HoldsAtMostSizeMinusOneCharacters) {
    CStringBuffer<4> buffer("abcdef");
    EXPECT_EQ(buffer.view(), "abc");
    EXPECT_EQ(buffer.c_str()[3], '\0');
    buffer.assign("x");
    buffer.append("yzw");
    EXPECT_EQ(buffer.view(), "xyz");
}

TEST(CStringBuffer, TryFormsRefuseInsteadOfCutting) {
    CStringBuffer<6> buffer("ab");
    EXPECT_FALSE(buffer.tryAppend("cdef"));
    EXPECT_EQ(buffer.view(), "ab");
    EXPECT_TRUE(buffer.tryAppend("cde"));
    EXPECT_EQ(buffer.view(), "abcde");
    EXPECT_FALSE(buffer.tryAssign("123456"));
    EXPECT_EQ(buffer.view(), "abcde");
}

TEST(CStringBuffer, BlankMeansEmptyOrSpacesOnly) {
    EXPECT_TRUE(CStringBuffer<8>().isBlank());
    EXPECT_TRUE(CStringBuffer<8>("   ").isBlank());
    EXPECT_FALSE(CStringBuffer<8>(" a ").isBlank());
}

TEST(CStringBuffer, SyncLengthAfterAServiceFilledIt) {
    CStringBuffer<8> buffer;
    std::snprintf(buffer.data(), CStringBuffer<8>::kSize, "%s", "dir");
    buffer.syncLength();
    EXPECT_EQ(buffer.size(), 3u);
    EXPECT_EQ(buffer.view(), "dir");
}

}  // namespace
}  // namespace rt
