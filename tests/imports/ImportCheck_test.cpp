// The import check against small PE images built here, one import table or
// header field at a time, and the lists the project carries.
#include "ImportCheck.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace keldwick::imports {
namespace {

using Bytes = std::vector<std::byte>;
using Table = std::vector<std::pair<std::string, std::vector<std::string>>>;

struct Header {
    std::uint16_t machine = 0x014C;  // i386
    std::uint16_t magic = 0x010B;    // PE32
    std::uint16_t subsystemMajor = 4;
    std::uint16_t subsystemMinor = 0;
};

constexpr std::uint32_t kPeOffset = 0x40;
constexpr std::uint32_t kOptionalSize = 0xE0;
constexpr std::uint32_t kSectionRva = 0x1000;
constexpr std::uint32_t kSectionFile = 0x200;

void put16(Bytes& bytes, std::size_t at, std::uint32_t value) {
    bytes[at] = std::byte(value & 0xFF);
    bytes[at + 1] = std::byte((value >> 8) & 0xFF);
}

void put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    put16(bytes, at, value & 0xFFFF);
    put16(bytes, at + 2, value >> 16);
}

// The section: descriptors, then per DLL its name, lookup table and hint/name entries.
Bytes importSection(const Table& table) {
    Bytes section((table.size() + 1) * 20);
    for (std::size_t d = 0; d < table.size(); ++d) {
        const auto& [dll, names] = table[d];
        const auto nameRva = static_cast<std::uint32_t>(kSectionRva + section.size());
        for (const char c : dll + '\0') {
            section.push_back(std::byte(c));
        }
        section.resize((section.size() + 3) & ~std::size_t{3});
        const auto lookup = section.size();
        section.resize(lookup + (names.size() + 1) * 4);
        for (std::size_t i = 0; i < names.size(); ++i) {
            put32(section, lookup + i * 4, static_cast<std::uint32_t>(kSectionRva + section.size()));
            section.insert(section.end(), 2, std::byte{0});  // hint
            for (const char c : names[i] + '\0') {
                section.push_back(std::byte(c));
            }
            section.resize((section.size() + 1) & ~std::size_t{1});
        }
        put32(section, d * 20, static_cast<std::uint32_t>(kSectionRva + lookup));  // lookup table
        put32(section, d * 20 + 12, nameRva);
        put32(section, d * 20 + 16, static_cast<std::uint32_t>(kSectionRva + lookup));  // address table
    }
    return section;
}

Bytes peImage(const Table& table, const Header& header = {}) {
    const auto section = importSection(table);
    Bytes file(kSectionFile);
    file[0] = std::byte{'M'};
    file[1] = std::byte{'Z'};
    put32(file, 0x3C, kPeOffset);
    std::memcpy(file.data() + kPeOffset, "PE\0\0", 4);
    put16(file, kPeOffset + 4, header.machine);
    put16(file, kPeOffset + 6, 1);                 // one section
    put16(file, kPeOffset + 0x14, kOptionalSize);  // SizeOfOptionalHeader
    const std::size_t optional = kPeOffset + 0x18;
    put16(file, optional, header.magic);
    put16(file, optional + 0x28, 4);  // operating system version 4.0
    put16(file, optional + 0x30, header.subsystemMajor);
    put16(file, optional + 0x32, header.subsystemMinor);
    put16(file, optional + 0x44, 2);                // the Windows GUI subsystem
    put32(file, optional + 0x5C, 16);               // NumberOfRvaAndSizes
    put32(file, optional + 0x60 + 8, kSectionRva);  // the import directory
    put32(file, optional + 0x60 + 12, 20);
    const std::size_t sectionHeader = optional + kOptionalSize;
    std::memcpy(file.data() + sectionHeader, ".idata\0\0", 8);
    put32(file, sectionHeader + 8, static_cast<std::uint32_t>(section.size()));
    put32(file, sectionHeader + 12, kSectionRva);
    put32(file, sectionHeader + 16, static_cast<std::uint32_t>(section.size()));
    put32(file, sectionHeader + 20, kSectionFile);
    file.insert(file.end(), section.begin(), section.end());
    return file;
}

class Check : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        auto loaded = Windows9xLists::load(KELDWICK_IMPORT_LISTS);
        ASSERT_TRUE(loaded) << loaded.error();
        s_lists = std::make_unique<Windows9xLists>(std::move(loaded).value());
    }

    // The blocking findings for `target`, each as its first word ("KERNEL32.dll!Name:").
    static std::vector<std::string> blocks(const Bytes& file, Target target) {
        const auto image = readPeImage(file);
        EXPECT_TRUE(image) << image.error();
        std::vector<std::string> out;
        if (image) {
            for (const auto& finding : checkImage(*image, *s_lists, s_accepted, target)) {
                if (finding.blocks) {
                    out.push_back(finding.text.substr(0, finding.text.find(' ')));
                }
            }
        }
        return out;
    }

    static inline std::unique_ptr<Windows9xLists> s_lists;
    static inline Accepted s_accepted = loadAccepted(std::string(KELDWICK_IMPORT_LISTS) + "/accepted.txt");
};

using Names = std::vector<std::string>;

TEST_F(Check, ProgramOfAnsiCallsThat95HasPasses) {
    const auto file = peImage({{"KERNEL32.dll", {"CreateFileA", "CreateEventA", "WaitForSingleObject"}},
                               {"USER32.dll", {"MessageBoxA", "MsgWaitForMultipleObjects"}}});
    EXPECT_EQ(blocks(file, Target::Windows95), Names{});
    EXPECT_EQ(blocks(file, Target::Windows98), Names{});
}

TEST_F(Check, FunctionOfLaterSystemsBlocksWhereItIsMissing) {
    const auto file = peImage({{"KERNEL32.dll", {"GetTickCount64", "IsDebuggerPresent"}},
                               {"USER32.dll", {"MsgWaitForMultipleObjectsEx"}}});
    EXPECT_EQ(blocks(file, Target::Windows95),
              (Names{"KERNEL32.dll!GetTickCount64:", "KERNEL32.dll!IsDebuggerPresent:",
                     "USER32.dll!MsgWaitForMultipleObjectsEx:"}));
    EXPECT_EQ(blocks(file, Target::Windows98), Names{"KERNEL32.dll!GetTickCount64:"})
        << "98 added the other two";
}

TEST_F(Check, StubThatLoadsButFailsBlocks) {
    const auto file = peImage({{"KERNEL32.dll", {"MoveFileExA"}}});
    EXPECT_EQ(blocks(file, Target::Windows95), Names{"KERNEL32.dll!MoveFileExA:"});
    EXPECT_EQ(blocks(file, Target::Windows98), Names{"KERNEL32.dll!MoveFileExA:"});
}

TEST_F(Check, WideFunctionBesideAnAnsiTwinBlocksUnlessItWorks) {
    const auto file =
        peImage({{"KERNEL32.dll", {"LoadLibraryW", "lstrlenW"}}, {"USER32.dll", {"MessageBoxW"}}});
    EXPECT_EQ(blocks(file, Target::Windows95), Names{"KERNEL32.dll!LoadLibraryW:"});
}

TEST_F(Check, OnlyTheAcceptedProbeOfTheRuntimePasses) {
    const auto file = peImage({{"KERNEL32.dll", {"GetModuleHandleW", "GetModuleFileNameW"}}});
    EXPECT_EQ(blocks(file, Target::Windows95), Names{"KERNEL32.dll!GetModuleFileNameW:"});
}

TEST_F(Check, RuntimeDllThatWindows95LacksBlocksThereOnly) {
    const auto msvcrt = peImage({{"msvcrt.dll", {"malloc", "free"}}});
    EXPECT_EQ(blocks(msvcrt, Target::Windows95), Names{"msvcrt.dll:"});
    EXPECT_EQ(blocks(msvcrt, Target::Windows98), Names{}) << "98 ships it";
    const auto crtdll = peImage({{"CRTDLL.dll", {"malloc", "free", "_beginthread"}}});
    EXPECT_EQ(blocks(crtdll, Target::Windows95), Names{});
}

TEST_F(Check, DllWithoutAListBlocks) {
    EXPECT_EQ(blocks(peImage({{"WS2_32.dll", {"socket"}}}), Target::Windows95), Names{"WS2_32.dll!socket:"});
}

TEST_F(Check, HeaderThe95LoaderRefusesBlocks) {
    Header newer;
    newer.subsystemMajor = 5;
    EXPECT_EQ(blocks(peImage({}, newer), Target::Windows95), Names{"subsystem"});
    Header amd64;
    amd64.machine = 0x8664;
    EXPECT_EQ(blocks(peImage({}, amd64), Target::Windows98), Names{"machine"});
}

TEST(ImportTable, LookupTableRunningOffItsSectionIsAnError) {
    auto file = peImage({{"KERNEL32.dll", {"CreateFileA"}}});
    file.resize(file.size() - 8);  // the section's raw data now ends inside the table
    const std::size_t sectionHeader = kPeOffset + 0x18 + kOptionalSize;
    put32(file, sectionHeader + 16, static_cast<std::uint32_t>(file.size() - kSectionFile));
    EXPECT_FALSE(readPeImage(file));
}

}  // namespace
}  // namespace keldwick::imports
