// The services end to end, through the rt::os:: calls the driver probe makes, on
// generated files written to a temporary folder.
#include "platform/version/VersionServices.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "VersionTestSupport.h"
#include "platform/system/WinApi.h"
#include "tests/support/TempFolder.h"

namespace rt::version::test {
namespace {

using rt::test::TempFolder;

struct Answer {
    bool found = false;
    std::string text;
    rt::os::UINT length = 0;
};

class VersionServices : public ::testing::Test {
  protected:
    std::string write(const Bytes& bytes, const std::string& name = "VREDIR.VXD") {
        auto path = (m_folder / name).string();
        rt::test::writeWholeFile(path,
                                 std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        return path;
    }

    // The probe's sequence: size and handle, the block sized as reported, the query.
    std::vector<std::byte> blockOf(const std::string& path) {
        rt::os::DWORD handle = 0xDEADBEEF;
        const auto size = rt::os::GetFileVersionInfoSizeA(path.c_str(), &handle);
        if (size == 0) {
            EXPECT_EQ(handle, 0u) << "a failed size request clears the handle";
            return {};
        }
        std::vector<std::byte> block(size);
        EXPECT_TRUE(rt::os::GetFileVersionInfoA(path.c_str(), handle, size, block.data()));
        return block;
    }

    static Answer query(const std::vector<std::byte>& block, const char* path = kProductQuery.data()) {
        void* location = nullptr;
        Answer answer;
        answer.found = rt::os::VerQueryValueA(block.data(), path, &location, &answer.length) != 0;
        if (answer.found) {
            const auto* begin = static_cast<const char*>(location);
            const auto* blockBegin = reinterpret_cast<const char*>(block.data());
            EXPECT_GE(begin, blockBegin);
            EXPECT_LT(begin, blockBegin + block.size()) << "the value lies inside the block";
            const auto room = static_cast<std::size_t>(blockBegin + block.size() - begin);
            EXPECT_NE(std::memchr(begin, 0, room), nullptr) << "the value ends with a NUL inside the block";
            answer.text.assign(begin, strnlen(begin, room));
        }
        return answer;
    }

    Answer fileVersionOf(const Bytes& bytes) { return query(blockOf(write(bytes))); }

    TempFolder m_folder;
};

TEST_F(VersionServices, ReadsTheFileVersionOfEachFormat) {
    fixtures::PeOptions pe64;
    pe64.is64 = true;
    const std::vector<Bytes> files = {
        fixtures::leFile(ansiDriverBlock("4.00.1116")).bytes,
        fixtures::neFile(ansiDriverBlock("4.00.1116")).bytes,
        fixtures::peFile(unicodeDriverBlock("4.00.1116")).bytes,
        fixtures::peFile(unicodeDriverBlock("4.00.1116"), pe64).bytes,
    };
    for (const auto& file : files) {
        const auto answer = fileVersionOf(file);
        EXPECT_TRUE(answer.found);
        EXPECT_EQ(answer.text, "4.00.1116");
        EXPECT_EQ(answer.length, 10u);
    }
}

TEST_F(VersionServices, ReportsTheBlockSizeAndItsFileOffsetAsTheHandle) {
    const auto fixture = fixtures::leFile(ansiDriverBlock("4.00.1116"));
    rt::os::DWORD handle = 0;
    const auto size = rt::os::GetFileVersionInfoSizeA(write(fixture.bytes).c_str(), &handle);
    EXPECT_EQ(size, ansiDriverBlock("4.00.1116").size());
    EXPECT_EQ(handle, fixture.blockOffset);
}

// Each request reads the file anew, so the file may change between the size
// and the block: a block cut to the old size must never answer with a cut
// text, which here would begin with the right build's number.
TEST_F(VersionServices, FileThatGrowsBetweenSizeAndBlockGivesNoCutText) {
    const auto path = write(fixtures::leFile(ansiDriverBlock("4.00.1116")).bytes);
    rt::os::DWORD handle = 0;
    const auto size = rt::os::GetFileVersionInfoSizeA(path.c_str(), &handle);
    ASSERT_GT(size, 0u);
    const std::string longer = "4.00.1116" + std::string(400, '9');
    write(fixtures::leFile(ansiDriverBlock(longer)).bytes);
    std::vector<std::byte> block(size);
    ASSERT_TRUE(rt::os::GetFileVersionInfoA(path.c_str(), handle, size, block.data()));
    const auto answer = query(block);
    EXPECT_TRUE(!answer.found || answer.text == "4.00.1116" || answer.text == longer) << answer.text;
}

// Two files whose version data lie at the same offset get the same handle:
// the block kept for one is never handed out for the other.
TEST_F(VersionServices, BlockAskedForAnotherFileIsThatFilesOwn) {
    const auto first = write(fixtures::leFile(ansiDriverBlock("4.00.950")).bytes, "FIRST.VXD");
    const auto second = write(fixtures::leFile(ansiDriverBlock("4.00.1116")).bytes, "SECOND.VXD");
    rt::os::DWORD secondHandle = 0;
    ASSERT_GT(rt::os::GetFileVersionInfoSizeA(second.c_str(), &secondHandle), 0u);
    rt::os::DWORD handle = 0;
    ASSERT_GT(rt::os::GetFileVersionInfoSizeA(first.c_str(), &handle), 0u);
    ASSERT_EQ(handle, secondHandle);
    std::vector<std::byte> block(4096);
    ASSERT_TRUE(rt::os::GetFileVersionInfoA(second.c_str(), handle, static_cast<rt::os::DWORD>(block.size()),
                                            block.data()));
    EXPECT_EQ(query(block).text, "4.00.1116");
}

TEST_F(VersionServices, HandsOutUnicodeBlocksInTheSixteenBitLayout) {
    const auto block = blockOf(write(fixtures::peFile(unicodeDriverBlock("4.00.1116")).bytes));
    EXPECT_EQ(block, ansiDriverBlock("4.00.1116"));
}

TEST_F(VersionServices, ConvertsUnicodeTextToCp1252) {
    auto contents = fixtures::driverContents("4.00.1116");
    contents.tables[0].strings.emplace_back("Comments", "caf\xE9 \x80 \x99");
    const auto block =
        blockOf(write(fixtures::peFile(fixtures::encodeUnicode(fixtures::versionTree(contents))).bytes));
    EXPECT_EQ(query(block, "\\StringFileInfo\\040904E4\\Comments").text, "caf\xE9 \x80 \x99");
}

TEST_F(VersionServices, KeepsTrailingBlanksForTheCallerToRemove) {
    EXPECT_EQ(fileVersionOf(fixtures::leFile(ansiDriverBlock("4.00.1116   ")).bytes).text, "4.00.1116   ");
}

TEST_F(VersionServices, KeepsLeadingBlanks) {
    EXPECT_EQ(fileVersionOf(fixtures::leFile(ansiDriverBlock("  4.00.1116")).bytes).text, "  4.00.1116");
}

TEST_F(VersionServices, HandsOutASixtyCharacterValueWhole) {
    const std::string sixty = "4.00.1116 " + std::string(50, 'x');
    const auto answer = fileVersionOf(fixtures::leFile(ansiDriverBlock(sixty)).bytes);
    EXPECT_EQ(answer.text, sixty);
    EXPECT_EQ(answer.length, 61u);
}

TEST_F(VersionServices, HandsOutBlanksOnlyAsTheyAre) {
    const auto answer = fileVersionOf(fixtures::leFile(ansiDriverBlock("     ")).bytes);
    EXPECT_TRUE(answer.found);
    EXPECT_EQ(answer.text, "     ");
}

TEST_F(VersionServices, HandsOutAnEmptyValueAsEmpty) {
    const auto answer = fileVersionOf(fixtures::leFile(ansiDriverBlock("")).bytes);
    EXPECT_TRUE(answer.found);
    EXPECT_EQ(answer.text, "");
}

TEST_F(VersionServices, FindsNothingWhenTheOnlyTableIs040904B0) {
    EXPECT_FALSE(fileVersionOf(fixtures::leFile(ansiDriverBlock("4.00.1116", "040904B0")).bytes).found);
    EXPECT_FALSE(fileVersionOf(fixtures::peFile(unicodeDriverBlock("4.00.1116", "040904B0")).bytes).found);
}

TEST_F(VersionServices, ReadsABlockLargerThanAThousandBytesWhole) {
    auto contents = fixtures::driverContents("ignored");
    auto& strings = contents.tables[0].strings;
    strings.erase(
        std::find_if(strings.begin(), strings.end(), [](const auto& s) { return s.first == "FileVersion"; }));
    for (int i = 0; i < 40; ++i) {
        strings.emplace_back("Comment" + std::to_string(i), std::string(30, 'c'));
    }
    strings.emplace_back("FileVersion", "4.00.1116");
    const auto bytes = fixtures::leFile(fixtures::encodeAnsi(fixtures::versionTree(contents))).bytes;
    const auto block = blockOf(write(bytes));
    EXPECT_GT(block.size(), 2000u);
    EXPECT_EQ(query(block).text, "4.00.1116");
}

TEST_F(VersionServices, TerminatesAValueThatHasNoNulInTheFile) {
    auto tree = fixtures::versionTree(fixtures::driverContents("4.00.1116"));
    auto& value = tree.children[0].children[0].children[2];
    value.text = "4.00.1116xyz";
    value.omitTextNul = true;
    const auto answer = fileVersionOf(fixtures::leFile(fixtures::encodeAnsi(tree)).bytes);
    EXPECT_EQ(answer.text, "4.00.1116xyz");
    EXPECT_EQ(answer.length, 13u);
}

TEST_F(VersionServices, CutsTheBlockToAShortBufferAndLowersItsLength) {
    const auto path = write(fixtures::leFile(ansiDriverBlock("4.00.1116")).bytes);
    std::vector<std::byte> block(100, std::byte{0xAB});
    ASSERT_TRUE(rt::os::GetFileVersionInfoA(path.c_str(), 0, 100, block.data()));
    EXPECT_EQ(std::to_integer<int>(block[0]) | (std::to_integer<int>(block[1]) << 8), 100);
    EXPECT_FALSE(query(block).found) << "FileVersion lies past the 100 bytes";
    EXPECT_TRUE(query(block, "\\").found);
}

TEST_F(VersionServices, RefusesABufferTooSmallToSayItsOwnLength) {
    const auto path = write(fixtures::leFile(ansiDriverBlock("4.00.1116")).bytes);
    std::vector<std::byte> block(3);
    EXPECT_FALSE(rt::os::GetFileVersionInfoA(path.c_str(), 0, 3, block.data()));
}

TEST_F(VersionServices, IgnoresTheHandleAndFindsTheBlockAgain) {
    const auto path = write(fixtures::leFile(ansiDriverBlock("4.00.1116")).bytes);
    const auto size = rt::os::GetFileVersionInfoSizeA(path.c_str(), nullptr);
    std::vector<std::byte> block(size);
    ASSERT_TRUE(rt::os::GetFileVersionInfoA(path.c_str(), 12345, size, block.data()));
    EXPECT_EQ(query(block).text, "4.00.1116");
}

TEST_F(VersionServices, AnswersNothingForFilesWithoutVersionInformation) {
    EXPECT_TRUE(blockOf(write(fixtures::toBytes(std::string(100, 'x')))).empty());
    EXPECT_TRUE(blockOf((m_folder / "missing.vxd").string()).empty());
    auto fixture = fixtures::leFile(ansiDriverBlock("4.00.1116"));
    fixture.putU32("le.winresoff", 0);
    EXPECT_TRUE(blockOf(write(fixture.bytes)).empty());
    std::vector<std::byte> block(64);
    EXPECT_FALSE(rt::os::GetFileVersionInfoA(write(fixture.bytes).c_str(), 0, 64, block.data()));
}

TEST_F(VersionServices, NullQueryNamesTheRoot) {
    const auto block = blockOf(write(fixtures::leFile(ansiDriverBlock("4.00.1116")).bytes));
    void* location = nullptr;
    rt::os::UINT length = 0;
    ASSERT_TRUE(rt::version::queryVersionValue(block.data(), nullptr, &location, &length));
    EXPECT_EQ(length, 52u);
}

TEST_F(VersionServices, QueryRefusesABlockShorterThanItsHeader) {
    const std::vector<std::byte> block = {std::byte{2}, std::byte{0}, std::byte{0}, std::byte{0}};
    EXPECT_FALSE(query(block, "\\").found);
}

TEST_F(VersionServices, QueryRefusesAUnicodeBlockItDidNotHandOut) {
    const auto block = unicodeDriverBlock("4.00.1116");
    EXPECT_FALSE(query(block).found);
}

}  // namespace
}  // namespace rt::version::test
