#include "tools/definition/DefinitionCompiler.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/definition/DefinitionWalk.h"
#include "tests/definition/DefinitionFixtures.h"
#include "tools/definition/DefinitionDump.h"
#include "tools/definition/DescriptionParser.h"
#include "tools/definition/ResourceTableWriter.h"

namespace {

using rt::definition::test::kFrameModule;

constexpr std::string_view kHead =
    "module KELDWICK$PROGRAMFRAME\n"
    "window MAIN$APPFRAME\n";

std::string parseError(const std::string& text) {
    const auto result = keldwick::defc::parseDescription(text);
    EXPECT_FALSE(result.ok()) << text;
    return result ? std::string{} : result.error().text;
}

TEST(DescriptionParser, NamesTheLineItCannotRead) {
    EXPECT_EQ(parseError(std::string(kHead) + "\n# fine\ncolour 3\n").rfind("line 5:", 0), 0u);
}

TEST(DescriptionParser, StringsKeepBlanksAndEscapes) {
    const auto result =
        keldwick::defc::parseDescription(std::string(kHead) + R"(title "a\"b\\c\x41 " # comment)");
    ASSERT_TRUE(result) << result.error().text;
    EXPECT_EQ(result.value().title, "a\"b\\cA ");
}

TEST(DescriptionParser, HexKeepsItsBitsAndDecimalMustFit) {
    const auto result = keldwick::defc::parseDescription(std::string(kHead) + "position 0x80000000 -1\n");
    ASSERT_TRUE(result) << result.error().text;
    EXPECT_EQ(result.value().x, rt::definition::kNotGiven);
    EXPECT_EQ(result.value().y, -1);
    parseError(std::string(kHead) + "size 3000000000 1\n");
}

TEST(DescriptionParser, RejectsItemWithoutAMenu) {
    EXPECT_NE(parseError(std::string(kHead) + "item -2 \"Cu&t\"\n").find("menu"), std::string::npos);
}

TEST(DescriptionParser, RejectsAttributeMissingItsValue) {
    parseError(std::string(kHead) + "text 1 at 5 \"x\"\n");
    parseError(std::string(kHead) + "text 1 \"x\" font face\n");
    parseError(std::string(kHead) + "display 2 \"no text on a display\"\n");
    parseError(std::string(kHead) + "title \"unterminated\n");
}

TEST(DescriptionParser, RequiresModuleAndWindowKeys) {
    parseError("title \"t\"\n");
}

TEST(DescriptionParser, RejectsLineStartingWithAString) {
    parseError(std::string(kHead) + "\"menu\" -1 \"&File\"\n");
}

TEST(DefinitionCompiler, RejectsModuleKeyOfAnotherLength) {
    rt::definition::WindowDescription window;
    window.moduleKey = "KELDWICK$FRAME";
    window.windowKey = "MAIN$APPFRAME";
    EXPECT_FALSE(keldwick::defc::compileDefinition(window));
}

TEST(DefinitionCompiler, RejectsTextHoldingNul) {
    rt::definition::WindowDescription window;
    window.moduleKey = kFrameModule;
    window.windowKey = "MAIN$APPFRAME";
    window.title = std::string("Redirector\0Status", 17);
    EXPECT_FALSE(keldwick::defc::compileDefinition(window));
}

TEST(DefinitionDump, ShowsBytesNothingReaches) {
    auto bytes = rt::definition::test::storedCopy(kFrameModule);
    bytes.insert(bytes.end(), 3, std::byte{0x55});
    const auto dump = keldwick::defc::dumpDefinition(bytes);
    EXPECT_TRUE(dump.walked);
    EXPECT_NE(dump.text.find("0x0689     3  ** bytes nothing reaches\n"), std::string::npos) << dump.text;
}

TEST(DefinitionDump, ShowsWhereTheWalkStopped) {
    auto bytes = rt::definition::test::storedCopy(kFrameModule);
    rt::definition::test::setU8(bytes, 0xB3, 99);
    const auto dump = keldwick::defc::dumpDefinition(bytes);
    EXPECT_FALSE(dump.walked);
    EXPECT_NE(dump.text.find("walk stopped: "), std::string::npos) << dump.text;
    EXPECT_NE(dump.text.find("unknown record kind at origin offset 0xB3"), std::string::npos) << dump.text;
}

TEST(ResourceTableWriter, NamesEachDefinitionInTheResourceScript) {
    const auto script = keldwick::defc::resourceScript({{"STATUSWINDOW_RSC", {}, "out/StatusWindow.bin"}});
    EXPECT_NE(script.find("LANGUAGE 9, 1\n"), std::string::npos) << script;
    EXPECT_NE(script.find("STATUSWINDOW_RSC WINDOWDEF \"out/StatusWindow.bin\"\n"), std::string::npos)
        << script;
}

}  // namespace
