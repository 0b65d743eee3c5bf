#include "platform/version/MzHeader.h"

#include <gtest/gtest.h>

#include "VersionTestSupport.h"

namespace rt::version::test {
namespace {

using fixtures::Fixture;

Fixture leDriver() {
    return fixtures::leFile(ansiDriverBlock("4.00.1116"));
}

NewHeader newHeaderOf(const Bytes& bytes) {
    MemorySource source(bytes);
    const auto header = readNewHeader(source);
    EXPECT_TRUE(header) << header.error().reason;
    return header ? *header : NewHeader{};
}

Error newHeaderRejection(const Bytes& bytes) {
    MemorySource source(bytes);
    const auto header = readNewHeader(source);
    EXPECT_FALSE(header);
    return header ? Error{} : header.error();
}

TEST(MzHeader, TellsEachFormatFromItsSignature) {
    EXPECT_EQ(newHeaderOf(fixtures::leFile(ansiDriverBlock("1")).bytes).format, ExecutableFormat::Le);
    EXPECT_EQ(newHeaderOf(fixtures::neFile(ansiDriverBlock("1")).bytes).format, ExecutableFormat::Ne);
    EXPECT_EQ(newHeaderOf(fixtures::peFile(unicodeDriverBlock("1")).bytes).format, ExecutableFormat::Pe);
    EXPECT_EQ(newHeaderOf(leDriver().bytes).offset, 0x80u);
}

TEST(MzHeader, RejectsFileShorterThanTheDosHeader) {
    auto bytes = leDriver().bytes;
    bytes.resize(0x3F);
    const auto error = newHeaderRejection(bytes);
    EXPECT_EQ(error.failure, Failure::NotExecutable);
    EXPECT_EQ(error.reason, "file is 63 bytes, shorter than the 64-byte MZ header");
}

TEST(MzHeader, RejectsEmptyFile) {
    EXPECT_EQ(newHeaderRejection({}).failure, Failure::NotExecutable);
}

TEST(MzHeader, RejectsReversedZmSignature) {
    auto bytes = leDriver().bytes;
    bytes[0] = std::byte{'Z'};
    bytes[1] = std::byte{'M'};
    EXPECT_EQ(newHeaderRejection(bytes).failure, Failure::NotExecutable);
}

TEST(MzHeader, RejectsTextFile) {
    EXPECT_EQ(newHeaderRejection(fixtures::toBytes(std::string(200, 'x'))).failure, Failure::NotExecutable);
}

TEST(MzHeader, RejectsNewHeaderOffsetAtEndOfFile) {
    auto fixture = leDriver();
    fixture.putU32("mz.e_lfanew", static_cast<std::uint32_t>(fixture.bytes.size()));
    EXPECT_EQ(newHeaderRejection(fixture.bytes).failure, Failure::Truncated);
}

TEST(MzHeader, RejectsNewHeaderOffsetNegativeAsSigned) {
    auto fixture = leDriver();
    fixture.putU32("mz.e_lfanew", 0xFFFFFFF0u);
    EXPECT_EQ(newHeaderRejection(fixture.bytes).failure, Failure::Truncated);
}

TEST(MzHeader, RejectsNewHeaderOffsetZeroPointingAtTheDosHeader) {
    auto fixture = leDriver();
    fixture.putU32("mz.e_lfanew", 0);
    EXPECT_EQ(newHeaderRejection(fixture.bytes).failure, Failure::NotExecutable);
}

TEST(MzHeader, RejectsPeSignatureCutAtEndOfFile) {
    auto bytes = fixtures::peFile(unicodeDriverBlock("1")).bytes;
    bytes.resize(0x40 + 3);
    EXPECT_EQ(newHeaderRejection(bytes).failure, Failure::Truncated);
}

TEST(MzHeader, RejectsBigEndianLe) {
    auto fixture = leDriver();
    fixture.putU8("le.byte_order", 1);
    EXPECT_EQ(newHeaderRejection(fixture.bytes).failure, Failure::Unsupported);
}

TEST(MzHeader, RejectsLxAndVmmContainers) {
    for (const char* signature : {"LX", "W3", "W4"}) {
        auto fixture = leDriver();
        fixture.putU8("le.signature", static_cast<std::uint8_t>(signature[0]));
        fixture.bytes.at(fixture.at("le.signature") + 1) = static_cast<std::byte>(signature[1]);
        EXPECT_EQ(newHeaderRejection(fixture.bytes).failure, Failure::Unsupported) << signature;
    }
}

TEST(MzHeader, AcceptsNeAtTheVeryEndOfTheFile) {
    // Two bytes suffice to tell NE; the NE locator then reports the cut header.
    auto bytes = fixtures::neFile(ansiDriverBlock("1")).bytes;
    bytes.resize(0x42);
    EXPECT_EQ(newHeaderOf(bytes).format, ExecutableFormat::Ne);
    EXPECT_EQ(rejection(bytes).failure, Failure::Truncated);
}

}  // namespace
}  // namespace rt::version::test
