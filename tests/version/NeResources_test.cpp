#include "platform/version/NeResources.h"

#include <gtest/gtest.h>

#include "VersionTestSupport.h"

namespace rt::version::test {
namespace {

using fixtures::Fixture;

Fixture neDriver(std::uint16_t shift = 4) {
    fixtures::NeOptions options;
    options.alignShift = shift;
    return fixtures::neFile(ansiDriverBlock("4.00.1116"), options);
}

class NeAlignment : public ::testing::TestWithParam<std::uint16_t> {};

TEST_P(NeAlignment, FindsTheBlockAtTheShiftedOffset) {
    const auto fixture = neDriver(GetParam());
    MemorySource source(fixture.bytes);
    const auto located = locateVersionBlock(source);
    ASSERT_TRUE(located) << located.error().reason;
    EXPECT_EQ(located->location.offset, fixture.blockOffset);
    EXPECT_EQ(queryFile(fixture.bytes), "4.00.1116");
}

INSTANTIATE_TEST_SUITE_P(Shifts, NeAlignment, ::testing::Values(0, 4, 9));

TEST(NeResources, UsesTheBlockLengthNotTheRoundedTableLength) {
    const auto info = readBytes(neDriver(9).bytes);
    ASSERT_TRUE(info) << info.error().reason;
    EXPECT_EQ(info->located.location.length, 512u);
    EXPECT_EQ(info->tree.usedLength, ansiDriverBlock("4.00.1116").size());
}

TEST(NeResources, NoVersionWhenThereIsNoResourceTable) {
    auto fixture = neDriver();
    fixture.putU16("ne.restab", 0x40);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::NoVersionResource);
}

TEST(NeResources, RejectsResourceTableEndingBeforeItStarts) {
    auto fixture = neDriver();
    fixture.putU16("ne.restab", 0x20);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::Malformed);
}

TEST(NeResources, RejectsResourceTablePastEndOfFile) {
    auto fixture = neDriver();
    fixture.putU16("ne.rsrctab", 0xFFF0);
    fixture.putU16("ne.restab", 0xFFFF);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::Truncated);
}

TEST(NeResources, RejectsAlignmentShiftOf16) {
    auto fixture = neDriver();
    fixture.putU16("ne.shift", 16);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::Malformed);
}

TEST(NeResources, RejectsAlignmentShiftBeyondTheWidthOfAnOffset) {
    auto fixture = neDriver();
    fixture.putU16("ne.shift", 0xFFFF);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::Malformed);
}

TEST(NeResources, RejectsResourceCountPastTheTable) {
    auto fixture = neDriver();
    fixture.putU16("ne.type_count", 0x7FFF);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::Truncated);
}

TEST(NeResources, RejectsTableWithoutItsTerminator) {
    auto fixture = neDriver();
    fixture.putU16("ne.type_id", 0x8006);  // not the version type, so the walk goes on
    fixture.putU16("ne.restab", static_cast<std::uint16_t>(fixture.at("ne.terminator") - 0x40));
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::Truncated);
}

TEST(NeResources, NoVersionWhenOnlyOtherTypesExist) {
    auto fixture = neDriver();
    fixture.putU16("ne.type_id", 0x8006);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::NoVersionResource);
}

TEST(NeResources, NoVersionWhenTheVersionResourceIsNotId1) {
    auto fixture = neDriver();
    fixture.putU16("ne.rn_id", 0x8002);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::NoVersionResource);
}

TEST(NeResources, RejectsResourceOffsetPastEndOfFile) {
    auto fixture = neDriver();
    fixture.putU16("ne.rn_offset", 0xFFFF);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::Truncated);
}

TEST(NeResources, RejectsResourceLengthZero) {
    auto fixture = neDriver();
    fixture.putU16("ne.rn_length", 0);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::Malformed);
}

TEST(NeResources, CutsResourceLengthToTheEndOfFile) {
    auto fixture = neDriver();
    fixture.putU16("ne.rn_length", 0xFFFF);
    EXPECT_EQ(queryFile(fixture.bytes), "4.00.1116");
}

TEST(NeResources, WalksPastOtherTypesToTheVersionType) {
    // A table with an icon type (two resources) in front of the version type.
    const Bytes table = [] {
        Bytes out;
        const auto put16 = [&](std::uint16_t v) {
            out.push_back(static_cast<std::byte>(v & 0xFF));
            out.push_back(static_cast<std::byte>(v >> 8));
        };
        put16(4);  // shift
        put16(0x8003);
        put16(2);
        put16(0);
        put16(0);
        for (int i = 0; i < 2 * 6; ++i) {
            put16(0x1111);
        }
        put16(0x8010);
        put16(1);
        put16(0);
        put16(0);
        for (const int field : {0x0020, 0x0003, 0x0030, 0x8001, 0, 0}) {
            put16(static_cast<std::uint16_t>(field));
        }
        put16(0);
        return out;
    }();
    const auto resource = findNeVersionResource(table);
    ASSERT_TRUE(resource) << resource.error().reason;
    EXPECT_EQ(resource->offset, 0x200u);
    EXPECT_EQ(resource->length, 0x30u);
}

}  // namespace
}  // namespace rt::version::test
