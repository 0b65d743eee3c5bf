#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/definition/DefinitionWalk.h"
#include "platform/definition/StoredDefinitions.h"
#include "tests/definition/DefinitionFixtures.h"
#include "tools/definition/DefinitionCompiler.h"

namespace {

using namespace rt::definition::test;
using rt::definition::DefinitionError;
using rt::definition::DefinitionFault;

// Known places in the status window's definition that the tests corrupt.
constexpr std::int32_t kStatusRecord = 0x42;
constexpr std::int32_t kFirstControl = 0xBA;
constexpr std::int32_t kTitleField = kStatusRecord + 0x29;
constexpr std::int32_t kFirstControlField = kStatusRecord + 0x1D;

DefinitionError statusFailure(const std::vector<std::byte>& bytes) {
    const auto result = rt::definition::walkDefinition(bytes, kStatusModule, kStatusWindow);
    EXPECT_FALSE(result.ok()) << "the corrupted definition was walked";
    return result ? DefinitionError{} : result.error();
}

DefinitionError frameFailure(const std::vector<std::byte>& bytes) {
    const auto result = rt::definition::walkDefinition(bytes, kFrameModule, kFrameWindow);
    EXPECT_FALSE(result.ok()) << "the corrupted definition was walked";
    return result ? DefinitionError{} : result.error();
}

// Appends bytes after the last record and returns their origin offset.
std::int32_t append(std::vector<std::byte>& bytes, std::string_view text) {
    const auto at = endOffset(bytes);
    for (const char c : text) {
        bytes.push_back(static_cast<std::byte>(c));
    }
    return at;
}

TEST(MalformedDefinition, TruncatedHeader) {
    auto bytes = storedCopy(kStatusModule);
    bytes.resize(25);
    EXPECT_EQ(statusFailure(bytes).fault, DefinitionFault::TruncatedHeader);
    EXPECT_EQ(statusFailure({}).fault, DefinitionFault::TruncatedHeader);
}

TEST(MalformedDefinition, ModuleKeyWithoutNul) {
    auto bytes = storedCopy(kStatusModule);
    bytes[21] = std::byte{'X'};
    EXPECT_EQ(statusFailure(bytes).fault, DefinitionFault::UnterminatedText);
}

TEST(MalformedDefinition, WrongModuleKey) {
    const auto bytes = storedCopy(kStatusModule);
    const auto result = rt::definition::walkDefinition(bytes, kFrameModule, kFrameWindow);
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().fault, DefinitionFault::ModuleKeyMismatch);
}

TEST(MalformedDefinition, WrongWindowKey) {
    const auto bytes = storedCopy(kStatusModule);
    const auto result = rt::definition::walkDefinition(bytes, kStatusModule, kFrameWindow);
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().fault, DefinitionFault::WindowKeyMismatch);
    EXPECT_EQ(result.error().offset, i32(bytes, kStatusRecord + 0x21));
}

TEST(MalformedDefinition, UnknownModuleKey) {
    const auto result = rt::definition::loadWindowDescription("KELDWICK$NOSUCHMODULE", kStatusWindow);
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().fault, DefinitionFault::NoDefinition);
    EXPECT_NE(result.error().message().find("KELDWICK$NOSUCHMODULE"), std::string::npos);
}

TEST(MalformedDefinition, NoWindowRecord) {
    auto bytes = storedCopy(kStatusModule);
    setI32(bytes, 2, 0);
    EXPECT_EQ(statusFailure(bytes).fault, DefinitionFault::OffsetOutOfBounds);
}

TEST(MalformedDefinition, WindowOffsetPastTheEnd) {
    auto bytes = storedCopy(kStatusModule);
    setI32(bytes, 2, endOffset(bytes));
    EXPECT_EQ(statusFailure(bytes).fault, DefinitionFault::OffsetOutOfBounds);
}

TEST(MalformedDefinition, HugeOffset) {
    auto bytes = storedCopy(kStatusModule);
    setI32(bytes, kStatusRecord + 0x25, 0x7FFFFFFF);
    EXPECT_EQ(statusFailure(bytes).fault, DefinitionFault::OffsetOutOfBounds);
}

TEST(MalformedDefinition, NegativeOffset) {
    auto bytes = storedCopy(kStatusModule);
    setI32(bytes, kTitleField, -5);
    EXPECT_EQ(statusFailure(bytes).fault, DefinitionFault::OffsetOutOfBounds);
    setI32(bytes, kTitleField, INT32_MIN);
    EXPECT_EQ(statusFailure(bytes).fault, DefinitionFault::OffsetOutOfBounds);
}

TEST(MalformedDefinition, OffsetIntoTheHeader) {
    auto bytes = storedCopy(kStatusModule);
    setI32(bytes, kFirstControlField, 2);
    EXPECT_EQ(statusFailure(bytes).fault, DefinitionFault::OffsetOutOfBounds);
}

TEST(MalformedDefinition, RecordRunsPastTheEnd) {
    auto bytes = storedCopy(kStatusModule);
    const auto button = chainFrom(bytes, kFirstControl).back();
    bytes.pop_back();
    const auto error = statusFailure(bytes);
    EXPECT_EQ(error.fault, DefinitionFault::RecordPastEnd);
    EXPECT_EQ(error.offset, button);
}

TEST(MalformedDefinition, SubRecordRunsPastTheEnd) {
    auto bytes = storedCopy(kStatusModule);
    const auto display = chainFrom(bytes, kFirstControl).at(1);
    setI32(bytes, display + 0x15, endOffset(bytes) - 4);
    EXPECT_EQ(statusFailure(bytes).fault, DefinitionFault::RecordPastEnd);
}

TEST(MalformedDefinition, UnknownKind) {
    auto bytes = storedCopy(kStatusModule);
    setU8(bytes, kFirstControl, 7);
    const auto error = statusFailure(bytes);
    EXPECT_EQ(error.fault, DefinitionFault::UnknownKind);
    EXPECT_EQ(error.offset, kFirstControl);
}

TEST(MalformedDefinition, WindowRecordInTheControlChain) {
    auto bytes = storedCopy(kStatusModule);
    setI32(bytes, kFirstControlField, kStatusRecord);
    EXPECT_EQ(statusFailure(bytes).fault, DefinitionFault::UnexpectedKind);
}

TEST(MalformedDefinition, MenuItemWhereAMenuBelongs) {
    auto bytes = storedCopy(kFrameModule);
    const auto firstMenu = i32(bytes, 0xB3 + 0x0D);
    setI32(bytes, 0xB3 + 0x0D, i32(bytes, firstMenu + 0x35));
    EXPECT_EQ(frameFailure(bytes).fault, DefinitionFault::UnexpectedKind);
}

TEST(MalformedDefinition, ControlChainLoopsBackToItsStart) {
    auto bytes = storedCopy(kStatusModule);
    setI32(bytes, chainFrom(bytes, kFirstControl).back() + 1, kFirstControl);
    const auto error = statusFailure(bytes);
    EXPECT_EQ(error.fault, DefinitionFault::ChainLoop);
    EXPECT_EQ(error.offset, kFirstControl);
}

TEST(MalformedDefinition, ControlPointsToItself) {
    auto bytes = storedCopy(kStatusModule);
    setI32(bytes, kFirstControl + 1, kFirstControl);
    EXPECT_EQ(statusFailure(bytes).fault, DefinitionFault::ChainLoop);
}

TEST(MalformedDefinition, ZoneChainLoops) {
    auto bytes = storedCopy(kFrameModule);
    std::int32_t rightmost = 0x3E;
    while (i32(bytes, rightmost + 4) != 0) {
        rightmost = i32(bytes, rightmost + 4);
    }
    setI32(bytes, rightmost + 4, 0x3E);
    EXPECT_EQ(frameFailure(bytes).fault, DefinitionFault::ChainLoop);
}

TEST(MalformedDefinition, MenuItemChainLoops) {
    auto bytes = storedCopy(kFrameModule);
    const auto firstMenu = i32(bytes, 0xB3 + 0x0D);
    const auto items = chainFrom(bytes, i32(bytes, firstMenu + 0x35));
    setI32(bytes, items.back() + 1, items.front());
    EXPECT_EQ(frameFailure(bytes).fault, DefinitionFault::ChainLoop);
}

TEST(MalformedDefinition, MenuChainLoops) {
    auto bytes = storedCopy(kFrameModule);
    const auto menus = chainFrom(bytes, i32(bytes, 0xB3 + 0x0D));
    setI32(bytes, menus.back() + 1, menus.front());
    EXPECT_EQ(frameFailure(bytes).fault, DefinitionFault::ChainLoop);
}

TEST(MalformedDefinition, TextMissingItsNul) {
    auto bytes = storedCopy(kStatusModule);
    setI32(bytes, kTitleField, append(bytes, "Vredir"));
    EXPECT_EQ(statusFailure(bytes).fault, DefinitionFault::UnterminatedText);
}

TEST(MalformedDefinition, TextLongerThanAnyWindowShows) {
    auto bytes = storedCopy(kStatusModule);
    setI32(bytes, kTitleField, append(bytes, std::string(5000, 'a')));
    bytes.push_back(std::byte{0});
    EXPECT_EQ(statusFailure(bytes).fault, DefinitionFault::UnterminatedText);
}

TEST(MalformedDefinition, MoreChainRecordsThanAnyWindowHolds) {
    rt::definition::WindowDescription window;
    window.moduleKey = kFrameModule;
    window.windowKey = kFrameWindow;
    window.zoneWidths.assign(5000, 10);
    const auto compiled = keldwick::defc::compileDefinition(window);
    ASSERT_TRUE(compiled);
    EXPECT_EQ(frameFailure(compiled.value()).fault, DefinitionFault::TooManyRecords);
}

TEST(MalformedDefinition, MessageNamesBothKeysAndTheOffset) {
    auto bytes = storedCopy(kStatusModule);
    setU8(bytes, kFirstControl, 7);
    const auto message = statusFailure(bytes).message();
    EXPECT_NE(message.find(kStatusModule), std::string::npos) << message;
    EXPECT_NE(message.find(kStatusWindow), std::string::npos) << message;
    EXPECT_NE(message.find("0xBA"), std::string::npos) << message;
    EXPECT_EQ(message.find('\n'), std::string::npos) << message;

    // Header positions are negative, down to the most negative offset there is.
    rt::definition::DefinitionError header{DefinitionFault::TruncatedHeader, "m", "w", -0x1C, {}};
    EXPECT_NE(header.message().find("at origin offset -0x1C"), std::string::npos) << header.message();
    header.offset = INT64_MIN;
    EXPECT_NE(header.message().find("at origin offset -0x8000000000000000"), std::string::npos)
        << header.message();
}

}  // namespace
