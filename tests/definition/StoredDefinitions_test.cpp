#include "platform/definition/StoredDefinitions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/definition/DefinitionWalk.h"
#include "tests/definition/DefinitionFixtures.h"

namespace {

using namespace rt::definition::test;

TEST(StoredDefinitions, HaveTheirFixedSizes) {
    EXPECT_EQ(storedCopy(kFrameModule).size(), 1693u);
    EXPECT_EQ(storedCopy(kStatusModule).size(), 1167u);
}

TEST(StoredDefinitions, StartWithTheModuleKeyAndItsNul) {
    for (const auto key : {kFrameModule, kStatusModule}) {
        const auto bytes = storedCopy(key);
        ASSERT_GE(bytes.size(), 22u);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data()), 21), key);
        EXPECT_EQ(bytes[21], std::byte{0});
    }
}

TEST(StoredDefinitions, AreFoundByTheModulesResourceName) {
    EXPECT_EQ(rt::definition::resourceNameFor(kStatusModule), "STATUSWINDOW_RSC");
    EXPECT_EQ(rt::definition::resourceNameFor("KELDWICK$ProgramFrame"), "PROGRAMFRAME_RSC");
    EXPECT_EQ(rt::definition::resourceNameFor("KELDWICK"), "");
    EXPECT_FALSE(rt::definition::findStoredDefinition("KELDWICK$NOSUCHMODULE"));
    EXPECT_FALSE(rt::definition::findStoredDefinition("NOMODULEPART"));
}

TEST(FrameDefinition, RecordsLieAtTheirKnownOffsets) {
    const auto bytes = storedCopy(kFrameModule);
    const std::int32_t window = i32(bytes, 2);
    EXPECT_EQ(window, 0x46);
    EXPECT_EQ(u8(bytes, window), 25);
    EXPECT_EQ(i32(bytes, window + 0x1D), 0) << "no controls";
    EXPECT_EQ(i32(bytes, window + 0x25), 0) << "no font";

    const std::int32_t bar = i32(bytes, window + 0x5D);
    EXPECT_EQ(bar, 0xB3);
    EXPECT_EQ(u8(bytes, bar), 22);
    const auto menus = chainFrom(bytes, i32(bytes, bar + 0x0D));
    std::size_t items = 0;
    for (const auto menu : menus) {
        EXPECT_EQ(u8(bytes, menu), 19);
        for (const auto item : chainFrom(bytes, i32(bytes, menu + 0x35))) {
            EXPECT_EQ(u8(bytes, item), 20);
            ++items;
        }
    }
    EXPECT_EQ(menus.size(), 5u);
    EXPECT_EQ(items, 13u);

    std::vector<std::int32_t> widths;
    for (auto zone = i32(bytes, window + 0x69); zone != 0 && widths.size() < 10;
         zone = i32(bytes, zone + 4)) {
        widths.push_back(i32(bytes, zone));
    }
    EXPECT_EQ(i32(bytes, window + 0x69), 0x3E);
    EXPECT_EQ(widths, (std::vector<std::int32_t>{-1, 80, 120, 45}));
}

TEST(StatusDefinition, RecordsLieAtTheirKnownOffsets) {
    const auto bytes = storedCopy(kStatusModule);
    const std::int32_t window = i32(bytes, 2);
    EXPECT_EQ(window, 0x42);
    EXPECT_EQ(u8(bytes, window), 25);
    EXPECT_EQ(i32(bytes, window + 0x25), 0x2C) << "font record";
    EXPECT_EQ(i32(bytes, window + 0x5D), 0) << "no menu bar";
    EXPECT_EQ(i32(bytes, window + 0x69), 0) << "no zones";

    const auto controls = chainFrom(bytes, i32(bytes, window + 0x1D));
    ASSERT_EQ(controls.size(), 10u);
    EXPECT_EQ(controls.front(), 0xBA);
    EXPECT_EQ(u8(bytes, controls.back()), 9) << "the chain ends at the push button";
    std::vector<int> kinds;
    kinds.reserve(controls.size());
    for (const auto control : controls) {
        kinds.push_back(u8(bytes, control));
    }
    EXPECT_EQ(kinds, (std::vector<int>{2, 8, 2, 8, 2, 8, 2, 2, 2, 9}));
}

TEST(StoredDefinitions, LeavePositionsAndSizesToTheWindowLayerAs0x80000000) {
    const auto status = storedCopy(kStatusModule);
    const auto frame = storedCopy(kFrameModule);
    for (const auto* bytes : {&status, &frame}) {
        const auto window = i32(*bytes, 2);
        EXPECT_EQ(i32(*bytes, window + 0x0D), INT32_MIN);
        EXPECT_EQ(i32(*bytes, window + 0x11), INT32_MIN);
    }
    const auto controls = chainFrom(status, 0xBA);
    for (const auto control : controls) {
        // Width and height follow x and y; a value display has its variable before them.
        const auto x = u8(status, control) == 8 ? 0x19 : 0x15;
        EXPECT_EQ(i32(status, control + x + 8), INT32_MIN) << control;
        EXPECT_EQ(i32(status, control + x + 12), INT32_MIN) << control;
    }
}

TEST(StoredDefinitions, CarryTheOpenFieldValuesOfTheProgramsDefinitions) {
    const auto bytes = storedCopy(kStatusModule);
    const auto display = chainFrom(bytes, 0xBA).at(1);
    ASSERT_EQ(u8(bytes, display), 8);
    const std::vector<int> trailer = {u8(bytes, display + 0x4D), u8(bytes, display + 0x4E),
                                      u8(bytes, display + 0x4F), u8(bytes, display + 0x50),
                                      u8(bytes, display + 0x51)};
    EXPECT_EQ(trailer, (std::vector<int>{0, 0, 0, 0, 0x80}));
    const auto colours = i32(bytes, display + 0x45);
    EXPECT_EQ(static_cast<std::uint32_t>(i32(bytes, colours)), 0x8000000Fu);
    EXPECT_EQ(i32(bytes, colours + 4), -1);
    EXPECT_EQ(i32(bytes, colours + 8), -1);
    EXPECT_EQ(i32(bytes, 0x2C + 12), -1) << "the font record's fourth field";
}

// Texts, sub-records and records follow one another without gaps or overlap,
// from the end of the header to the last byte.
TEST(StoredDefinitions, EveryByteAfterTheHeaderBelongsToExactlyOnePiece) {
    for (const auto key : {kFrameModule, kStatusModule}) {
        const auto bytes = storedCopy(key);
        rt::definition::WalkTrace trace;
        ASSERT_TRUE(rt::definition::inspectDefinition(bytes, trace).ok());
        std::sort(trace.begin(), trace.end(),
                  [](const auto& a, const auto& b) { return a.offset < b.offset; });
        std::int32_t next = 6;
        for (const auto& piece : trace) {
            EXPECT_EQ(piece.offset, next) << key << ": " << pieceName(piece.kind);
            next = piece.offset + piece.size;
        }
        EXPECT_EQ(next, endOffset(bytes)) << key;
    }
}

// A face that the system lacks is replaced by another with other widths, and
// the layout units that place every control change with it.
TEST(StoredDefinitions, NameOnlyFontsThatWindows95Ships) {
    const std::vector<std::string> shipped = {"Arial",     "Courier New", "Times New Roman", "Symbol",
                                              "Wingdings", "Marlett",     "MS Sans Serif",   "MS Serif",
                                              "Courier",   "Small Fonts", "System",          "Terminal"};
    const auto isShipped = [&](const std::string& face) {
        return face.empty() || std::find(shipped.begin(), shipped.end(), face) != shipped.end();
    };
    for (const auto& [module, window] :
         {std::pair{kFrameModule, "MAIN$APPFRAME"}, std::pair{kStatusModule, "GETREDIRINFO$WINDOW"}}) {
        const auto walked = rt::definition::loadWindowDescription(module, window);
        ASSERT_TRUE(walked) << window;
        const auto& description = walked.value();
        EXPECT_TRUE(isShipped(description.font.face)) << window << ": " << description.font.face;
        for (const auto& control : description.controls) {
            EXPECT_TRUE(isShipped(control.font.face)) << window << " control " << control.id;
        }
    }
}

}  // namespace
