// The built program file's own resources, read as other programs read them:
// its version by our own reader and by the system's service, its icon by our
// own PE reader and by the system's icon loader.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/version/MzHeader.h"
#include "platform/version/PeResources.h"
#include "platform/version/VersionFile.h"
#include "platform/version/VersionQuery.h"

namespace {

constexpr std::uint16_t kIconType = 3;
constexpr std::uint16_t kIconGroupType = 14;
constexpr std::uint16_t kProgramIcon = 1;

std::string programPath() {
    const char* path = std::getenv("KELDWICK_PROGRAM");
    return path != nullptr ? path : "";
}

// The value of a query on a block in the 16-bit layout, as our reader answers it.
std::string ourValue(const std::vector<std::byte>& block, const std::string& query) {
    const auto answer = rt::version::queryAnsiBlock(block, query);
    if (!answer) {
        return "<not found>";
    }
    return std::string(reinterpret_cast<const char*>(block.data() + answer->offset));
}

std::string systemValue(const std::string& path, const std::string& query) {
    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &handle);
    std::vector<char> block(size);
    void* value = nullptr;
    UINT length = 0;
    if (size == 0 || ::GetFileVersionInfoA(path.c_str(), handle, size, block.data()) == 0 ||
        ::VerQueryValueA(block.data(), query.c_str(), &value, &length) == 0 || value == nullptr) {
        return "<not found>";
    }
    return static_cast<const char*>(value);
}

struct IconEntry {
    int width = 0;  // 0 stands for 256
    int bits = 0;
    std::uint16_t id = 0;
};

class ProgramResources : public ::testing::Test {
  protected:
    void SetUp() override {
        if (programPath().empty()) {
            GTEST_SKIP() << "KELDWICK_PROGRAM names no program";
        }
    }

    // A resource's bytes through our PE reader; empty when it is not there.
    static std::vector<std::byte> resource(std::uint16_t type, std::uint16_t name) {
        auto file = rt::version::VersionFile::open(programPath().c_str());
        if (!file) {
            return {};
        }
        const auto header = rt::version::readNewHeader(*file);
        if (!header) {
            return {};
        }
        const auto location = rt::version::findPeResource(*file, header->offset, type, name);
        if (!location) {
            return {};
        }
        auto bytes = rt::version::readRange(*file, location->offset, location->length, "the resource");
        return bytes ? *bytes : std::vector<std::byte>{};
    }

    static std::vector<IconEntry> iconGroup() {
        const auto group = resource(kIconGroupType, kProgramIcon);
        std::vector<IconEntry> entries;
        if (group.size() < 6) {
            return entries;
        }
        const auto u8 = [&](std::size_t at) { return std::to_integer<int>(group[at]); };
        const auto u16 = [&](std::size_t at) { return u8(at) | u8(at + 1) << 8; };
        const auto count = static_cast<std::size_t>(u16(4));
        for (std::size_t i = 0; i < count && 6 + 14 * (i + 1) <= group.size(); ++i) {
            const std::size_t at = 6 + 14 * i;
            entries.push_back({u8(at), u16(at + 6), static_cast<std::uint16_t>(u16(at + 12))});
        }
        return entries;
    }
};

TEST_F(ProgramResources, OurReaderAndTheSystemReadTheProgramsVersionFromBothTables) {
    auto info = rt::version::loadVersionInfo(programPath().c_str());
    ASSERT_TRUE(info) << info.error().reason;
    for (const std::string table : {"040904E4", "040904B0"}) {
        const std::string query = "\\StringFileInfo\\" + table + "\\FileVersion";
        EXPECT_EQ(ourValue(info->block, query), KELDWICK_VERSION) << table;
        EXPECT_EQ(systemValue(programPath(), query), KELDWICK_VERSION) << table;
    }
    EXPECT_EQ(ourValue(info->block, "\\StringFileInfo\\040904E4\\FileDescription"), "Redirector Status");
}

TEST_F(ProgramResources, IconHasPlainBitmapsAtEverySizeWindows95Reads) {
    const auto entries = iconGroup();
    ASSERT_FALSE(entries.empty()) << "no icon group 1 in the program file";
    bool hasLarge = false;
    std::vector<std::pair<int, int>> plain;  // size, bits
    for (const auto& entry : entries) {
        const auto image = resource(kIconType, entry.id);
        ASSERT_GE(image.size(), 8u) << "icon image " << entry.id;
        const bool isPng = std::memcmp(image.data(), "\x89PNG", 4) == 0;
        if (entry.width == 0) {
            hasLarge = true;
            continue;
        }
        EXPECT_FALSE(isPng) << "a " << entry.width << "-pixel image compressed as PNG";
        EXPECT_EQ(std::to_integer<int>(image[0]), 40) << "a bitmap image starts with its 40-byte header";
        plain.emplace_back(entry.width, entry.bits);
    }
    for (const auto& wanted :
         {std::pair{16, 4}, {32, 4}, {16, 8}, {32, 8}, {48, 8}, {16, 32}, {32, 32}, {48, 32}}) {
        EXPECT_NE(std::find(plain.begin(), plain.end(), wanted), plain.end())
            << wanted.first << " pixels at " << wanted.second << " bits";
    }
    EXPECT_TRUE(hasLarge) << "the 256-pixel image for later systems";
}

TEST_F(ProgramResources, SystemLoadsTheProgramsIconAtBothSizes) {
    HMODULE program = ::LoadLibraryExA(programPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    for (const int size : {16, 32}) {
        auto* icon = static_cast<HICON>(
            ::LoadImageA(program, MAKEINTRESOURCEA(kProgramIcon), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_NE(::GetIconInfo(icon, &info), 0);
        BITMAP mask{};
        ::GetObjectA(info.hbmMask, sizeof mask, &mask);
        EXPECT_EQ(mask.bmWidth, size);
        ::DeleteObject(info.hbmMask);
        ::DeleteObject(info.hbmColor);
        ::DestroyIcon(icon);
    }
    ::FreeLibrary(program);
}

}  // namespace
