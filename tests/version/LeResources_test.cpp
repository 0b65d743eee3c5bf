#include "platform/version/LeResources.h"

#include <gtest/gtest.h>

#include "VersionTestSupport.h"

namespace rt::version::test {
namespace {

using fixtures::Fixture;

Fixture leDriver(const std::string& fileVersion = "4.00.1116") {
    return fixtures::leFile(ansiDriverBlock(fileVersion));
}

BlockLocation locationOf(const Bytes& bytes) {
    MemorySource source(bytes);
    const auto located = locateVersionBlock(source);
    EXPECT_TRUE(located) << located.error().reason;
    return located ? located->location : BlockLocation{};
}

TEST(LeResources, FindsTheBlockAfterTheRecordHeaderAtTheAbsoluteOffset) {
    const auto fixture = leDriver();
    const auto location = locationOf(fixture.bytes);
    EXPECT_EQ(location.offset, fixture.blockOffset);
    EXPECT_EQ(location.length, ansiDriverBlock("4.00.1116").size());
    EXPECT_EQ(queryFile(fixture.bytes), "4.00.1116");
}

TEST(LeResources, ReadsTheOffsetAtB8NotTheDeviceIdWordsAtC0) {
    // A second, different resource record at the end of the file, which the
    // DWORDs at +0xC0 and +0xC4 would name if the fields were read 8 bytes too high.
    auto fixture = leDriver();
    const auto decoy = fixture.bytes.size();
    const auto decoyRecord = fixtures::leFile(ansiDriverBlock("9.9.9"));
    const auto from = decoyRecord.at("res.type_marker");
    fixture.bytes.insert(fixture.bytes.end(), decoyRecord.bytes.begin() + static_cast<std::ptrdiff_t>(from),
                         decoyRecord.bytes.end());
    fixture.putU32("le.devid", static_cast<std::uint32_t>(decoy));  // +0xC0 and +0xC2 read as one DWORD
    const auto decoyLength = static_cast<std::uint32_t>(fixture.bytes.size() - decoy);
    for (std::size_t i = 0; i < 4; ++i) {  // +0xC4, the first byte after the header
        fixture.bytes.at(fixture.at("le.devid") + 4 + i) =
            static_cast<std::byte>((decoyLength >> (8 * i)) & 0xFF);
    }
    auto misread = fixture;
    misread.putU32("le.winresoff", static_cast<std::uint32_t>(decoy));
    misread.putU32("le.winreslen", decoyLength);
    ASSERT_EQ(queryFile(misread.bytes), "9.9.9") << "the decoy must be a readable record";
    EXPECT_EQ(queryFile(fixture.bytes), "4.00.1116");
}

TEST(LeResources, NoVersionWhenResourceOffsetIsZero) {
    auto fixture = leDriver();
    fixture.putU32("le.winresoff", 0);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::NoVersionResource);
}

TEST(LeResources, NoVersionWhenResourceLengthIsZero) {
    auto fixture = leDriver();
    fixture.putU32("le.winreslen", 0);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::NoVersionResource);
}

TEST(LeResources, RejectsResourceOffsetPastEndOfFile) {
    auto fixture = leDriver();
    fixture.putU32("le.winresoff", static_cast<std::uint32_t>(fixture.bytes.size()));
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::Truncated);
}

TEST(LeResources, RejectsHeaderCutBeforeTheResourceFields) {
    auto bytes = leDriver().bytes;
    bytes.resize(0x80 + 0xB8);
    EXPECT_EQ(rejection(bytes).failure, Failure::Truncated);
}

TEST(LeResources, RejectsResourceLengthShorterThanTheRecordHeader) {
    auto fixture = leDriver();
    fixture.putU32("le.winreslen", 6);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::Truncated);
}

TEST(LeResources, RejectsRecordOfAnotherType) {
    auto fixture = leDriver();
    fixture.putU16("res.type", 14);
    const auto error = rejection(fixture.bytes);
    EXPECT_EQ(error.failure, Failure::NoVersionResource);
    EXPECT_EQ(error.reason, "the LE resource has type 14, not 16 (version)");
}

TEST(LeResources, RejectsRecordWithNamedType) {
    auto fixture = leDriver();
    fixture.putU8("res.type_marker", 'V');
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::NoVersionResource);
}

TEST(LeResources, AcceptsRecordWhoseNameIsAString) {
    // "X\x01" and its NUL take the three bytes of FF 01 00.
    auto fixture = leDriver();
    fixture.putU8("res.name_marker", 'X');
    EXPECT_EQ(queryFile(fixture.bytes), "4.00.1116");
}

TEST(LeResources, RejectsDataSizeZero) {
    auto fixture = leDriver();
    fixture.putU32("res.size", 0);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::Malformed);
}

TEST(LeResources, CutsHugeDataSizeToTheResourceLength) {
    auto fixture = leDriver();
    fixture.putU32("res.size", 0xFFFFFFFFu);
    EXPECT_EQ(locationOf(fixture.bytes).length, ansiDriverBlock("4.00.1116").size());
    EXPECT_EQ(queryFile(fixture.bytes), "4.00.1116");
}

TEST(LeResources, CutsResourceLengthToTheEndOfFile) {
    auto fixture = leDriver();
    fixture.putU32("le.winreslen", 0x7FFFFFFF);
    EXPECT_EQ(queryFile(fixture.bytes), "4.00.1116");
}

// The strings before the cut are all there, yet a block the file does not
// hold whole is no block: a cut could as well have fallen inside the version.
TEST(LeResources, RefusesABlockCutByTheEndOfFile) {
    auto bytes = leDriver().bytes;
    bytes.resize(bytes.size() - 20);  // ends inside VarFileInfo
    EXPECT_EQ(rejection(bytes).failure, Failure::Truncated);
    EXPECT_EQ(queryFile(bytes), std::nullopt);
}

TEST(LeResources, ParsesTheRecordHeaderFieldByField) {
    const auto fixture = leDriver();
    const auto record = std::span(fixture.bytes).subspan(fixture.at("res.type_marker"));
    const auto header = parseLeResourceHeader(record);
    ASSERT_TRUE(header) << header.error().reason;
    EXPECT_EQ(header->headerLength, 12u);
    EXPECT_EQ(header->dataSize, ansiDriverBlock("4.00.1116").size());
}

}  // namespace
}  // namespace rt::version::test
