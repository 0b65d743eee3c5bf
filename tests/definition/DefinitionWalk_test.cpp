#include "platform/definition/DefinitionWalk.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/definition/StoredDefinitions.h"
#include "tests/definition/DefinitionFixtures.h"
#include "tools/definition/DefinitionCompiler.h"
#include "tools/definition/DescriptionParser.h"

namespace {

using namespace rt::definition::test;
using rt::definition::ControlKind;
using rt::definition::kNotGiven;
using rt::definition::WindowDescription;

WindowDescription walked(std::string_view module, std::string_view window) {
    auto result = rt::definition::loadWindowDescription(module, window);
    EXPECT_TRUE(result.ok()) << (result ? "" : result.error().message());
    return result ? result.value() : WindowDescription{};
}

WindowDescription frame() {
    return walked(kFrameModule, kFrameWindow);
}

WindowDescription status() {
    return walked(kStatusModule, kStatusWindow);
}

TEST(DefinitionWalk, GivesTheFramesMenusInStoredOrderWithTheirIds) {
    const auto window = frame();
    std::vector<std::int32_t> ids;
    std::size_t items = 0;
    for (const auto& menu : window.menus) {
        ids.push_back(menu.id);
        for (const auto& item : menu.items) {
            ids.push_back(item.id);
            ++items;
        }
    }
    EXPECT_TRUE(window.hasMenuBar);
    EXPECT_EQ(window.menus.size(), 5u);
    EXPECT_EQ(items, 13u);
    EXPECT_EQ(ids, (std::vector<std::int32_t>{-1, -2, 0, -3, -4, -5, -6, -7, -8, -9, 0, -10, -11, -12, 0, -13,
                                              -14, -15}));
    EXPECT_EQ(window.menus[0].items[0].text, "P&rint Setup...");
    EXPECT_EQ(window.menus[0].items[0].message, "Setup Printer");
    EXPECT_EQ(window.menus[0].items[0].actionCode, 16);
    EXPECT_EQ(window.menus[2].items[0].actionCode, 0) << "GetVersion is the program's own";
}

TEST(DefinitionWalk, SeparatorHasNoTextMessageIdOrAction) {
    const auto separator = frame().menus.at(0).items.at(1);
    EXPECT_TRUE(separator.isSeparator());
    EXPECT_EQ(separator.text, "");
    EXPECT_EQ(separator.message, "");
    EXPECT_EQ(separator.id, 0);
    EXPECT_EQ(separator.actionCode, 0);
}

TEST(DefinitionWalk, MenusWithoutIdStillOpenTheirItems) {
    const auto window = frame();
    const auto& windowMenu = window.menus.at(3);
    EXPECT_EQ(windowMenu.id, 0);
    EXPECT_EQ(windowMenu.text, "&Window");
    EXPECT_EQ(windowMenu.actionCode, 1) << "the frame's window menu";
    EXPECT_EQ(windowMenu.items.size(), 3u);
    const auto& help = window.menus.at(4);
    EXPECT_EQ(help.id, 0);
    EXPECT_EQ(help.message, "Windows Help");
    EXPECT_EQ(help.items.size(), 3u);
}

TEST(DefinitionWalk, GivesZonesLeftToRight) {
    EXPECT_EQ(frame().zoneWidths, (std::vector<std::int32_t>{-1, 80, 120, 45}));
}

TEST(DefinitionWalk, WindowWithoutControlsMenuBarOrZonesHasNone) {
    EXPECT_TRUE(frame().controls.empty());
    const auto window = status();
    EXPECT_FALSE(window.hasMenuBar);
    EXPECT_TRUE(window.menus.empty());
    EXPECT_TRUE(window.zoneWidths.empty());
}

TEST(DefinitionWalk, GivesTheStatusWindowsControlsInChainOrder) {
    const auto window = status();
    ASSERT_EQ(window.controls.size(), 10u);
    for (std::size_t i = 0; i < window.controls.size(); ++i) {
        EXPECT_EQ(window.controls[i].id, static_cast<std::int32_t>(i + 1));
    }
    EXPECT_EQ(window.controls[2].text, "VRedir Version:");
    EXPECT_EQ(window.controls[2].x, 10);
    EXPECT_EQ(window.controls[2].y, 21);
    EXPECT_EQ(window.controls[8].text.size(), 55u);
    EXPECT_EQ(window.controls[9].kind, ControlKind::PushButton);
    EXPECT_EQ(window.controls[9].text, "Close");
    EXPECT_EQ(window.title, "Vredir.VXD Status");
    EXPECT_EQ(window.width, 236);
    EXPECT_EQ(window.height, 102);
    EXPECT_EQ(window.windowFlags, 0x3044);
    EXPECT_EQ(frame().flags, 0x800);
}

TEST(DefinitionWalk, TextsKeepTrailingBlanks) {
    EXPECT_EQ(status().controls.at(0).text, "Is Win95? ");
}

TEST(DefinitionWalk, OwnFontGivingOnlyAColourTakesTheWindowsFaceAndSize) {
    const auto window = status();
    const auto& note = window.controls.at(6);
    ASSERT_TRUE(note.hasOwnFont);
    EXPECT_EQ(note.ownFont.face, "");
    EXPECT_EQ(note.ownFont.size, 0);
    EXPECT_EQ(note.font.face, "Arial");
    EXPECT_EQ(note.font.size, 8);
    EXPECT_EQ(note.font.textColour.raw, 0x00FF0000);
    EXPECT_EQ(note.font.textColour.blue(), 255);
    EXPECT_EQ(note.font.textColour.red(), 0);
    for (const auto& control : window.controls) {
        if (control.id != 7) {
            EXPECT_FALSE(control.hasOwnFont) << control.id;
            EXPECT_EQ(control.font, window.font) << control.id;
        }
    }
}

TEST(DefinitionWalk, ValueDisplaysBindFortyCharacterTexts) {
    const auto window = status();
    EXPECT_EQ(rt::definition::valueDisplayCount(window), 3u);
    EXPECT_EQ(rt::definition::valueDisplayCount(frame()), 0u);
    for (const auto id : {2, 4, 6}) {
        const auto& display = window.controls.at(static_cast<std::size_t>(id - 1));
        EXPECT_EQ(display.kind, ControlKind::ValueDisplay);
        EXPECT_EQ(display.variable.typeCode, rt::definition::kFixedTextType);
        EXPECT_EQ(display.variable.length, 40);
        EXPECT_EQ(display.picture, "s40");
        EXPECT_EQ(display.flags, 0x20);
        EXPECT_TRUE(display.background.isSystemColour());
        EXPECT_EQ(display.background.systemIndex(), 15);
    }
}

TEST(DefinitionWalk, KeepsPositionsNotGivenAsNotGiven) {
    for (const auto& window : {frame(), status()}) {
        EXPECT_EQ(window.x, kNotGiven);
        EXPECT_EQ(window.y, kNotGiven);
    }
    for (const auto& control : status().controls) {
        EXPECT_EQ(control.width, kNotGiven);
        EXPECT_EQ(control.height, kNotGiven);
    }
}

// One more character in the title moves every later record by one byte, so
// each int32 field is read once at an even and once at an odd position.
TEST(DefinitionWalk, ReadsFieldsAtAnyBytePosition) {
    auto description = keldwick::defc::parseDescription(descriptionText("StatusWindow.window"));
    ASSERT_TRUE(description);
    auto shifted = description.value();
    shifted.title += "!";
    const auto even = keldwick::defc::compileDefinition(description.value());
    const auto odd = keldwick::defc::compileDefinition(shifted);
    ASSERT_TRUE(even && odd);
    const auto a = rt::definition::walkDefinition(even.value(), kStatusModule, kStatusWindow);
    const auto b = rt::definition::walkDefinition(odd.value(), kStatusModule, kStatusWindow);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a.value().controls, b.value().controls);
    EXPECT_EQ(a.value().font, b.value().font);
}

TEST(DefinitionWalk, WalkingACompiledDescriptionGivesItBack) {
    for (const auto file : {"ProgramFrame.window", "StatusWindow.window"}) {
        const auto description = keldwick::defc::parseDescription(descriptionText(file));
        ASSERT_TRUE(description) << description.error().text;
        const auto& window = description.value();
        const auto compiled = keldwick::defc::compileDefinition(window);
        ASSERT_TRUE(compiled) << compiled.error().text;
        const auto walkedBack =
            rt::definition::walkDefinition(compiled.value(), window.moduleKey, window.windowKey);
        ASSERT_TRUE(walkedBack) << walkedBack.error().message();
        EXPECT_EQ(walkedBack.value(), window) << file;
        EXPECT_EQ(compiled.value(), storedCopy(window.moduleKey))
            << file << ": the build embeds what it compiles";
    }
}

// Status windows are prepared on threads of their own, all from one definition.
TEST(DefinitionWalk, ConcurrentWalksOfOneDefinitionAgree) {
    const auto expected = status();
    std::vector<int> mismatches(4, 0);
    {
        std::vector<std::jthread> threads;
        threads.reserve(mismatches.size());
        for (auto& count : mismatches) {
            threads.emplace_back([&count, &expected] {
                for (int i = 0; i < 50; ++i) {
                    const auto result = rt::definition::loadWindowDescription(kStatusModule, kStatusWindow);
                    count += result && result.value() == expected ? 0 : 1;
                }
            });
        }
    }
    EXPECT_EQ(mismatches, std::vector<int>(4, 0));
}

}  // namespace
