#include "platform/version/VersionQuery.h"

#include <gtest/gtest.h>

#include <cstring>

#include "VersionTestSupport.h"

namespace rt::version::test {
namespace {

using fixtures::Node;

Node driverTree() {
    return fixtures::versionTree(fixtures::driverContents("4.00.1116"));
}

Node& strings(Node& root) {
    return root.children.at(0).children.at(0);
}

// The text at the answer, read no further than the block.
std::optional<std::string> textAt(const Bytes& block, std::string_view path) {
    const auto answer = queryAnsiBlock(block, path);
    if (!answer) {
        return std::nullopt;
    }
    EXPECT_LT(answer->offset, block.size());
    const auto* begin = reinterpret_cast<const char*>(block.data() + answer->offset);
    return std::string(begin, strnlen(begin, block.size() - answer->offset));
}

class VersionQuery : public ::testing::Test {
  protected:
    const Bytes m_block = fixtures::encodeAnsi(driverTree());
};

TEST_F(VersionQuery, FindsTheFileVersionString) {
    const auto answer = queryAnsiBlock(m_block, kProductQuery);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->length, 10u) << "wValueLength as stored, NUL included";
    EXPECT_EQ(textAt(m_block, kProductQuery), "4.00.1116");
}

TEST_F(VersionQuery, MatchesKeysWithoutRegardToCase) {
    EXPECT_EQ(textAt(m_block, "\\stringfileinfo\\040904e4\\FILEVERSION"), "4.00.1116");
}

TEST_F(VersionQuery, DoesNotMatchAPrefixOfAKey) {
    EXPECT_FALSE(queryAnsiBlock(m_block, "\\StringFileInfo\\040904E4\\FileVers"));
    EXPECT_FALSE(queryAnsiBlock(m_block, "\\StringFileInfo\\040904E4\\FileVersionX"));
}

TEST_F(VersionQuery, ComparesTheTableKeyAsText) {
    EXPECT_FALSE(queryAnsiBlock(m_block, "\\StringFileInfo\\40904E4\\FileVersion"));
}

TEST_F(VersionQuery, MissingTableIsNotFound) {
    EXPECT_FALSE(queryAnsiBlock(m_block, "\\StringFileInfo\\040904B0\\FileVersion"));
}

TEST_F(VersionQuery, EmptyPathAndBackslashNameTheRoot) {
    for (const char* path : {"", "\\", "\\\\"}) {
        const auto answer = queryAnsiBlock(m_block, path);
        ASSERT_TRUE(answer) << path;
        EXPECT_EQ(answer->offset, 0x14u) << "after \"VS_VERSION_INFO\" and its NUL";
        EXPECT_EQ(answer->length, 52u);
    }
}

TEST_F(VersionQuery, SkipsEmptyPartsOfThePath) {
    for (const char* path :
         {"StringFileInfo\\040904E4\\FileVersion", "\\\\StringFileInfo\\\\040904E4\\FileVersion\\",
          "StringFileInfo\\040904E4\\\\\\FileVersion\\\\"}) {
        EXPECT_EQ(textAt(m_block, path), "4.00.1116") << path;
    }
}

TEST_F(VersionQuery, ForwardSlashIsNoSeparator) {
    EXPECT_FALSE(queryAnsiBlock(m_block, "/StringFileInfo/040904E4/FileVersion"));
}

TEST_F(VersionQuery, IntermediateNodeAnswersAnEmptyValue) {
    for (const char* path : {"\\StringFileInfo", "\\StringFileInfo\\040904E4", "\\VarFileInfo"}) {
        const auto answer = queryAnsiBlock(m_block, path);
        ASSERT_TRUE(answer) << path;
        EXPECT_EQ(answer->length, 0u);
        EXPECT_EQ(m_block.at(answer->offset), std::byte{0}) << "points at the key's NUL";
    }
}

TEST_F(VersionQuery, AnswersTheTranslationArray) {
    const auto answer = queryAnsiBlock(m_block, "\\VarFileInfo\\Translation");
    ASSERT_TRUE(answer);
    ASSERT_EQ(answer->length, 4u);
    const Bytes expected = {std::byte{0x09}, std::byte{0x04}, std::byte{0xE4}, std::byte{0x04}};
    EXPECT_TRUE(
        std::equal(expected.begin(), expected.end(), m_block.begin() + static_cast<long>(answer->offset)));
}

TEST_F(VersionQuery, PathDeeperThanTheTreeIsNotFound) {
    EXPECT_FALSE(queryAnsiBlock(m_block, "\\StringFileInfo\\040904E4\\FileVersion\\More"));
}

TEST(VersionQueryEdges, FirstOfDuplicateKeysWins) {
    auto tree = driverTree();
    strings(tree).children.push_back(fixtures::textNode("FileVersion", "second"));
    EXPECT_EQ(textAt(fixtures::encodeAnsi(tree), kProductQuery), "4.00.1116");
}

TEST(VersionQueryEdges, FindsStringFileInfoAfterVarFileInfo) {
    auto contents = fixtures::driverContents("4.00.1116");
    contents.varFileInfoFirst = true;
    EXPECT_EQ(textAt(fixtures::encodeAnsi(fixtures::versionTree(contents)), kProductQuery), "4.00.1116");
}

TEST(VersionQueryEdges, ChildOfLengthZeroEndsTheSearch) {
    auto tree = driverTree();
    strings(tree).children.at(1).length = 0;
    EXPECT_FALSE(queryAnsiBlock(fixtures::encodeAnsi(tree), kProductQuery));
}

TEST(VersionQueryEdges, ValueLengthZeroAnswersEmpty) {
    auto tree = driverTree();
    strings(tree).children.at(2).valueLength = 0;
    const auto block = fixtures::encodeAnsi(tree);
    const auto answer = queryAnsiBlock(block, kProductQuery);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->length, 0u);
    EXPECT_EQ(textAt(block, kProductQuery), "");
}

TEST(VersionQueryEdges, NodeEndingRightAfterItsKeyAnswersEmpty) {
    auto tree = driverTree();
    strings(tree).children.at(2).length = 4 + 12;  // "FileVersion" and its NUL, no value
    const auto block = fixtures::encodeAnsi(tree);
    const auto answer = queryAnsiBlock(block, kProductQuery);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->length, 0u);
    EXPECT_EQ(block.at(answer->offset), std::byte{0});
}

TEST(VersionQueryEdges, StringWithoutNulInsideItsNodeIsNotFound) {
    // Windows would hand out a pointer to text running into the next node.
    auto tree = driverTree();
    strings(tree).children.at(2).text = "4.00.1116xyz";
    strings(tree).children.at(2).omitTextNul = true;
    EXPECT_FALSE(queryAnsiBlock(fixtures::encodeAnsi(tree), kProductQuery));
}

TEST(VersionQueryEdges, ValueLengthLargerThanTheNodeIsCutToIt) {
    auto tree = driverTree();
    strings(tree).children.at(2).valueLength = 0x4000;
    const auto block = fixtures::encodeAnsi(tree);
    const auto answer = queryAnsiBlock(block, kProductQuery);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->length, 10u);
    EXPECT_EQ(textAt(block, kProductQuery), "4.00.1116");
}

TEST(VersionQueryEdges, ChildClaimingMoreThanTheBlockStaysInsideIt) {
    auto tree = driverTree();
    tree.children.at(0).length = 0xFFF0;
    const auto block = fixtures::encodeAnsi(tree);
    EXPECT_EQ(textAt(block, kProductQuery), "4.00.1116");
    const auto answer = queryAnsiBlock(block, "\\StringFileInfo");
    ASSERT_TRUE(answer);
    EXPECT_LT(answer->offset, block.size());
}

TEST(VersionQueryEdges, BlockCutShortAnswersOnlyWhatItHolds) {
    auto block = fixtures::encodeAnsi(driverTree());
    for (std::size_t size = 0; size < block.size(); ++size) {
        const std::span cut(block.data(), size);
        const auto answer = queryAnsiBlock(cut, kProductQuery);
        if (answer) {
            EXPECT_LE(answer->offset + answer->length, size);
        }
    }
}

TEST(VersionQueryEdges, UnicodeBlockIsNotAnswered) {
    EXPECT_FALSE(queryAnsiBlock(fixtures::encodeUnicode(driverTree()), kProductQuery));
    EXPECT_FALSE(queryAnsiBlock(fixtures::encodeUnicode(driverTree()), ""));
}

}  // namespace
}  // namespace rt::version::test
