#include "platform/version/VersionBlock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "VersionTestSupport.h"

namespace rt::version::test {
namespace {

using fixtures::Node;

Node driverTree(const std::string& fileVersion = "4.00.1116") {
    return fixtures::versionTree(fixtures::driverContents(fileVersion));
}

Node& stringFileInfo(Node& root) {
    return root.children.at(0);
}

Node& strings(Node& root) {
    return root.children.at(0).children.at(0);
}

Node& fileVersion(Node& root) {
    return strings(root).children.at(2);
}

// The tree as lines "path = value", for comparing trees read from different layouts.
void flatten(const VersionNode& node, const std::string& path, std::vector<std::string>& out) {
    std::string line = path + "\\" + node.key;
    if (node.kind == ValueKind::Text) {
        line += " = \"" + node.text + "\"";
    } else if (node.kind == ValueKind::Binary) {
        line += " : " + std::to_string(node.binary.size()) + " bytes";
    }
    out.push_back(line);
    for (const auto& child : node.children) {
        flatten(child, path + "\\" + node.key, out);
    }
}

std::vector<std::string> flatten(const VersionTree& tree) {
    std::vector<std::string> out;
    flatten(tree.root, "", out);
    return out;
}

VersionTree parsed(const Bytes& block) {
    auto tree = parseVersionBlock(block);
    EXPECT_TRUE(tree) << tree.error().reason;
    return tree ? std::move(*tree) : VersionTree{};
}

const VersionNode* findPath(const VersionNode& root, std::initializer_list<std::string_view> keys) {
    const VersionNode* node = &root;
    for (const auto key : keys) {
        const auto& children = node->children;
        const auto found = std::find_if(children.begin(), children.end(),
                                        [&](const auto& child) { return child.key == key; });
        if (found == children.end()) {
            return nullptr;
        }
        node = &*found;
    }
    return node;
}

const VersionNode* fileVersionOf(const VersionTree& tree) {
    return findPath(tree.root, {"StringFileInfo", "040904E4", "FileVersion"});
}

bool hasNoteContaining(const VersionTree& tree, std::string_view text) {
    return std::any_of(tree.notes.begin(), tree.notes.end(),
                       [&](const auto& note) { return note.find(text) != std::string::npos; });
}

TEST(VersionBlock, ReadsBothLayoutsToTheSameTree) {
    const auto ansi = parsed(fixtures::encodeAnsi(driverTree()));
    const auto unicode = parsed(fixtures::encodeUnicode(driverTree()));
    EXPECT_EQ(ansi.layout, BlockLayout::Ansi16);
    EXPECT_EQ(unicode.layout, BlockLayout::Unicode32);
    EXPECT_EQ(flatten(ansi), flatten(unicode));
    ASSERT_NE(fileVersionOf(ansi), nullptr);
    EXPECT_EQ(fileVersionOf(ansi)->text, "4.00.1116");
    EXPECT_TRUE(ansi.notes.empty());
}

TEST(VersionBlock, ConvertsAUnicodeBlockToTheSixteenBitLayoutByteForByte) {
    const auto unicode = parsed(fixtures::encodeUnicode(driverTree()));
    const auto block = encodeAnsiBlock(unicode.root);
    ASSERT_TRUE(block) << block.error().reason;
    EXPECT_EQ(*block, fixtures::encodeAnsi(driverTree()));
}

TEST(VersionBlock, RejectsBlockLengthSmallerThanItsHeader) {
    auto tree = driverTree();
    tree.length = 2;
    const auto ansi = parseVersionBlock(fixtures::encodeAnsi(tree));
    ASSERT_FALSE(ansi);
    EXPECT_EQ(ansi.error().reason, "block length 2 is smaller than its 4-byte header");
    tree.length = 4;
    const auto unicode = parseVersionBlock(fixtures::encodeUnicode(tree));
    ASSERT_FALSE(unicode);
    EXPECT_EQ(unicode.error().reason, "block length 4 is smaller than its 6-byte header");
}

TEST(VersionBlock, RejectsBlockTooShortToTellItsLayout) {
    const Bytes block = {std::byte{3}, std::byte{0}, std::byte{0}};
    EXPECT_EQ(parseVersionBlock(block).error().failure, Failure::Truncated);
}

TEST(VersionBlock, RejectsRootKeyOtherThanVsVersionInfo) {
    auto tree = driverTree();
    tree.key = "VS_VERSION_INFX";
    const auto result = parseVersionBlock(fixtures::encodeAnsi(tree));
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().failure, Failure::Malformed);
}

TEST(VersionBlock, RejectsRootKeyWithoutNulInsideTheBlock) {
    auto tree = driverTree();
    tree.length = 4 + 15;  // ends right before the key's NUL
    EXPECT_EQ(parseVersionBlock(fixtures::encodeAnsi(tree)).error().failure, Failure::Malformed);
}

TEST(VersionBlock, CutsRootLengthToTheBytesGiven) {
    auto block = fixtures::encodeAnsi(driverTree());
    const auto whole = parsed(block);
    block.resize(fileVersionOf(whole)->offset + 0x1C);  // FileVersion's node is 0x1C bytes
    const auto cut = parsed(block);
    EXPECT_EQ(cut.usedLength, block.size());
    EXPECT_TRUE(hasNoteContaining(cut, "exceeds"));
    ASSERT_NE(fileVersionOf(cut), nullptr);
    EXPECT_EQ(fileVersionOf(cut)->text, "4.00.1116");
    EXPECT_EQ(findPath(cut.root, {"VarFileInfo"}), nullptr);
}

TEST(VersionBlock, ChildOfLengthZeroEndsItsParentsList) {
    auto tree = driverTree();
    strings(tree).children.at(1).length = 0;
    const auto result = parsed(fixtures::encodeAnsi(tree));
    const auto* table = findPath(result.root, {"StringFileInfo", "040904E4"});
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->children.size(), 1u);
    EXPECT_EQ(table->children[0].key, "CompanyName");
    EXPECT_NE(findPath(result.root, {"VarFileInfo", "Translation"}), nullptr)
        << "siblings of the parent stay";
    EXPECT_TRUE(hasNoteContaining(result, "length 0"));
}

TEST(VersionBlock, ChildLongerThanItsParentIsCutToTheParent) {
    auto tree = driverTree();
    stringFileInfo(tree).length = 0xFFF0;
    for (const auto& block : {fixtures::encodeAnsi(tree), fixtures::encodeUnicode(tree)}) {
        const auto result = parsed(block);
        EXPECT_TRUE(hasNoteContaining(result, "cut there"));
        ASSERT_NE(fileVersionOf(result), nullptr);
        EXPECT_EQ(fileVersionOf(result)->text, "4.00.1116");
    }
}

TEST(VersionBlock, NodeWhoseKeyRunsPastItsEndIsSkipped) {
    auto tree = driverTree();
    fileVersion(tree).length = 4 + 11;  // "FileVersion" without room for its NUL
    const auto result = parsed(fixtures::encodeAnsi(tree));
    EXPECT_EQ(fileVersionOf(result), nullptr);
    EXPECT_TRUE(hasNoteContaining(result, "skipped"));
}

TEST(VersionBlock, StringWithValueLengthZeroHasNoValue) {
    auto tree = driverTree();
    fileVersion(tree).valueLength = 0;
    for (const auto& block : {fixtures::encodeAnsi(tree), fixtures::encodeUnicode(tree)}) {
        const auto result = parsed(block);
        ASSERT_NE(fileVersionOf(result), nullptr);
        EXPECT_EQ(fileVersionOf(result)->kind, ValueKind::None);
    }
}

TEST(VersionBlock, UnicodeStringLengthCountedInBytesReadsTheSame) {
    auto tree = driverTree();
    fileVersion(tree).valueLength = 2 * 10;
    const auto result = parsed(fixtures::encodeUnicode(tree));
    ASSERT_NE(fileVersionOf(result), nullptr);
    EXPECT_EQ(fileVersionOf(result)->text, "4.00.1116");
}

TEST(VersionBlock, UnicodeStringMarkedBinaryIsStillReadAsText) {
    auto tree = driverTree();
    fileVersion(tree).type = 0;
    const auto result = parsed(fixtures::encodeUnicode(tree));
    ASSERT_NE(fileVersionOf(result), nullptr);
    EXPECT_EQ(fileVersionOf(result)->kind, ValueKind::Text);
    EXPECT_EQ(fileVersionOf(result)->text, "4.00.1116");
}

TEST(VersionBlock, StringIsNotLocatedByAnOversizedValueLength) {
    auto tree = driverTree();
    fileVersion(tree).valueLength = 200;
    const auto result = parsed(fixtures::encodeAnsi(tree));
    ASSERT_NE(fileVersionOf(result), nullptr);
    EXPECT_EQ(fileVersionOf(result)->text, "4.00.1116");
    EXPECT_EQ(findPath(result.root, {"StringFileInfo", "040904E4", "InternalName"})->text, "VREDIR");
}

TEST(VersionBlock, StringWithoutNulEndsAtItsNode) {
    auto tree = driverTree();
    fileVersion(tree).text = "4.00.1116xyz";
    fileVersion(tree).omitTextNul = true;
    for (const auto& block : {fixtures::encodeAnsi(tree), fixtures::encodeUnicode(tree)}) {
        const auto result = parsed(block);
        ASSERT_NE(fileVersionOf(result), nullptr);
        EXPECT_EQ(fileVersionOf(result)->text, "4.00.1116xyz");
    }
}

TEST(VersionBlock, NestingBeyondTheCapIsIgnored) {
    Node deepest = fixtures::textNode("Leaf", "x");
    for (int level = 0; level < 20; ++level) {
        deepest = fixtures::parentNode("Level" + std::to_string(level), {deepest});
    }
    auto tree = driverTree();
    tree.children.push_back(deepest);
    const auto result = parsed(fixtures::encodeAnsi(tree));
    int depth = 0;
    for (const VersionNode* node = &result.root; !node->children.empty(); node = &node->children.back()) {
        ++depth;
    }
    EXPECT_EQ(depth, kMaxBlockDepth);
    EXPECT_TRUE(hasNoteContaining(result, "deeper"));
}

TEST(VersionBlock, OddRootLengthIsAccepted) {
    auto tree = driverTree();
    auto block = fixtures::encodeAnsi(tree);
    tree.length = static_cast<std::uint16_t>(block.size() - 1);
    const auto result = parsed(fixtures::encodeAnsi(tree));
    EXPECT_EQ(result.usedLength, block.size() - 1);
    EXPECT_EQ(fileVersionOf(result)->text, "4.00.1116");
}

TEST(VersionBlock, ChildrenAreFoundInAnyOrder) {
    auto contents = fixtures::driverContents("4.00.1116");
    contents.varFileInfoFirst = true;
    const auto result = parsed(fixtures::encodeUnicode(fixtures::versionTree(contents)));
    EXPECT_EQ(result.root.children.at(0).key, "VarFileInfo");
    EXPECT_EQ(fileVersionOf(result)->text, "4.00.1116");
}

TEST(VersionBlock, UnicodeKeysAndTextsBecomeCp1252) {
    auto tree = driverTree();
    strings(tree).children.push_back(fixtures::textNode("Caf\xE9", "\x80 \x99"));
    const auto result = parsed(fixtures::encodeUnicode(tree));
    const auto* node = findPath(result.root, {"StringFileInfo", "040904E4", "Caf\xE9"});
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->text, "\x80 \x99");
}

TEST(VersionBlock, EncodingRefusesMoreThan65535Bytes) {
    VersionNode root;
    root.key = "VS_VERSION_INFO";
    root.kind = ValueKind::Binary;
    root.binary.resize(70000);
    EXPECT_FALSE(encodeAnsiBlock(root));
}

}  // namespace
}  // namespace rt::version::test
