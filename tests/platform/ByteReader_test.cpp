#include "platform/base/ByteReader.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <vector>

namespace rt {
namespace {

std::vector<std::byte> bytes(std::initializer_list<int> values) {
    std::vector<std::byte> out;
    for (int v : values) {
        out.push_back(static_cast<std::byte>(v));
    }
    return out;
}

TEST(ByteReader, ReadsLittleEndianAtOddPositions) {
    const auto data = bytes({0xAA, 0x78, 0x56, 0x34, 0x12, 0xFF, 0xFF, 0xFF, 0xFF});
    ByteReader reader(data);
    ASSERT_TRUE(reader.skip(1));
    EXPECT_EQ(reader.readU32(), 0x12345678u);
    EXPECT_EQ(reader.readI32(), -1);
    EXPECT_EQ(reader.remaining(), 0u);
    EXPECT_EQ(reader.u16At(1), 0x5678u);
}

TEST(ByteReader, RefusesReadsThatDoNotFitAndConsumesNothing) {
    const auto data = bytes({1, 2, 3});
    ByteReader reader(data);
    EXPECT_FALSE(reader.readU32());
    EXPECT_EQ(reader.offset(), 0u);
    EXPECT_FALSE(reader.u16At(2));
    EXPECT_FALSE(reader.u8At(3));
    EXPECT_FALSE(reader.readBytes(4));
    EXPECT_FALSE(reader.seek(4));
    EXPECT_FALSE(reader.skip(4));
}

TEST(ByteReader, HugeOffsetsDoNotWrapAround) {
    const auto data = bytes({1, 2, 3, 4});
    const ByteReader reader(data);
    constexpr auto kHuge = std::numeric_limits<std::size_t>::max();
    EXPECT_FALSE(reader.u32At(kHuge - 1));
    EXPECT_FALSE(reader.slice(2, kHuge - 1));
    EXPECT_FALSE(reader.slice(kHuge, 1));
    EXPECT_FALSE(reader.cStringAt(kHuge, 10));
}

TEST(ByteReader, CStringNeedsItsNulWithinBounds) {
    const auto data = bytes({'a', 'b', 0, 'c', 'd'});
    ByteReader reader(data);
    EXPECT_EQ(reader.readCString(10), "ab");
    EXPECT_EQ(reader.offset(), 3u);
    EXPECT_FALSE(reader.readCString(10)) << "no NUL before the end";
    EXPECT_FALSE(reader.cStringAt(0, 2)) << "NUL lies beyond the maximum";
    EXPECT_EQ(reader.cStringAt(2, 1), "");
}

TEST(ByteReader, SliceCannotReachOutsideItsParent) {
    const auto data = bytes({0, 1, 2, 3, 4, 5, 6, 7});
    const ByteReader parent(data);
    auto child = parent.slice(2, 3);
    ASSERT_TRUE(child);
    EXPECT_EQ(child->size(), 3u);
    EXPECT_EQ(child->base(), 2u);
    EXPECT_EQ(child->u8At(0), 2u);
    EXPECT_FALSE(child->u8At(3));
    EXPECT_FALSE(child->slice(1, 3));
}

TEST(ByteReader, AlignsTheAbsolutePosition) {
    const auto data = bytes({0, 1, 2, 3, 4, 5, 6, 7, 8});
    auto child = ByteReader(data).slice(1, 8);
    ASSERT_TRUE(child);
    ASSERT_TRUE(child->skip(1));  // absolute position 2
    ASSERT_TRUE(child->alignTo(4));
    EXPECT_EQ(child->offset(), 3u);
    ASSERT_TRUE(child->alignTo(4));
    EXPECT_EQ(child->offset(), 3u) << "already aligned";
    ASSERT_TRUE(child->skip(5));  // absolute 9 is past this 8-byte slice starting at 1
    EXPECT_TRUE(child->alignTo(1));
    EXPECT_FALSE(child->alignTo(0));
}

}  // namespace
}  // namespace rt
