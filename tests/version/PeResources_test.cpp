#include "platform/version/PeResources.h"

#include <gtest/gtest.h>

#include "VersionTestSupport.h"

namespace rt::version::test {
namespace {

using fixtures::Fixture;
using fixtures::PeOptions;

Fixture peDriver(const PeOptions& options = {}) {
    return fixtures::peFile(unicodeDriverBlock("4.00.1116"), options);
}

class PeWidths : public ::testing::TestWithParam<bool> {
  protected:
    Fixture driver() {
        PeOptions options;
        options.is64 = GetParam();
        return peDriver(options);
    }
};

TEST_P(PeWidths, FindsTheBlockThroughTheResourceTree) {
    const auto fixture = driver();
    MemorySource source(fixture.bytes);
    const auto located = locateVersionBlock(source);
    ASSERT_TRUE(located) << located.error().reason;
    EXPECT_EQ(located->location.offset, fixture.blockOffset);
    EXPECT_EQ(located->location.length, unicodeDriverBlock("4.00.1116").size());
    EXPECT_EQ(queryFile(fixture.bytes), "4.00.1116");
}

TEST_P(PeWidths, RejectsOptionalHeaderTooSmallForTheResourceDirectory) {
    auto fixture = driver();
    fixture.putU16("pe.size_of_optional_header", GetParam() ? 0x84 : 0x74);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::Malformed);
}

TEST_P(PeWidths, NoVersionWhenFewerThanThreeDataDirectories) {
    auto fixture = driver();
    fixture.putU32("pe.number_of_rva_and_sizes", 2);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::NoVersionResource);
}

INSTANTIATE_TEST_SUITE_P(Pe32AndPe32Plus, PeWidths, ::testing::Bool());

TEST(PeResources, RejectsRomImageMagic) {
    auto fixture = peDriver();
    fixture.putU16("pe.magic", 0x0107);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::Unsupported);
}

TEST(PeResources, NoVersionWhenResourceDirectorySizeIsZero) {
    auto fixture = peDriver();
    fixture.putU32("pe.resource_size", 0);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::NoVersionResource);
}

TEST(PeResources, RejectsSectionCountBeyondTheCap) {
    auto fixture = peDriver();
    fixture.putU16("pe.number_of_sections", 0xFFFF);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::Malformed);
}

TEST(PeResources, RejectsSectionTablePastEndOfFile) {
    auto fixture = peDriver();
    fixture.putU16("pe.number_of_sections", 200);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::Truncated);
}

TEST(PeResources, RejectsFileWithoutSectionsForTheResourceRva) {
    auto fixture = peDriver();
    fixture.putU16("pe.number_of_sections", 0);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::Malformed);
}

TEST(PeResources, RejectsResourceRvaInNoSection) {
    auto fixture = peDriver();
    fixture.putU32("pe.resource_rva", 0x9000);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::Malformed);
}

TEST(PeResources, RejectsResourceRvaInTheHeaders) {
    auto fixture = peDriver();
    fixture.putU32("pe.resource_rva", 0x100);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::Malformed);
}

TEST(PeResources, RejectsSectionRawDataPastEndOfFile) {
    auto fixture = peDriver();
    fixture.putU32("section.pointer_to_raw_data", 0x00100000);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::Truncated);
}

TEST(PeResources, SectionEndBeyondFourGigabytesDoesNotWrap) {
    auto fixture = peDriver();
    fixture.putU32("section.virtual_address", 0xFFFFF000u);
    fixture.putU32("section.size_of_raw_data", 0x2000);
    fixture.putU32("pe.resource_rva", 0x00000800);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::Malformed);
}

TEST(PeResources, RejectsHugeEntryCountInTheRootDirectory) {
    auto fixture = peDriver();
    fixture.putU16("rsrc.root_id_count", 0xFFFF);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::Truncated);
}

TEST(PeResources, RejectsHugeNamedEntryCountInTheRootDirectory) {
    auto fixture = peDriver();
    fixture.putU16("rsrc.root_named_count", 0xFFFF);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::Truncated);
}

TEST(PeResources, DirectoryPointingBackAtTheRootEndsCleanly) {
    auto fixture = peDriver();
    fixture.putU32("rsrc.type_offset", 0x80000000u);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::NoVersionResource);
}

TEST(PeResources, RejectsDataEntryWhereANameDirectoryBelongs) {
    auto fixture = peDriver();
    fixture.putU32("rsrc.type_offset", 0x18);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::Malformed);
}

TEST(PeResources, RejectsFourthDirectoryLevel) {
    auto fixture = peDriver();
    fixture.putU32("rsrc.lang_offset", 0x80000030u);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::Malformed);
}

TEST(PeResources, RejectsSubdirectoryPastTheResourceSection) {
    auto fixture = peDriver();
    fixture.putU32("rsrc.type_offset", 0x80000000u | 0x7FFFFFF0u);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::Truncated);
}

TEST(PeResources, RejectsDataEntryPastTheResourceSection) {
    auto fixture = peDriver();
    fixture.putU32("rsrc.lang_offset", 0x7FFFFFF0u);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::Truncated);
}

TEST(PeResources, NoVersionWithoutTheVersionType) {
    auto fixture = peDriver();
    fixture.putU32("rsrc.type_id", 14);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::NoVersionResource);
}

TEST(PeResources, NoVersionUnderAnIdOtherThan1) {
    PeOptions options;
    options.nameId = 2;
    EXPECT_EQ(rejection(peDriver(options).bytes).failure, Failure::NoVersionResource);
}

TEST(PeResources, NoVersionUnderAStringName) {
    auto fixture = peDriver();
    fixture.putU32("rsrc.name_id", 0x80000000u | 0x40);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::NoVersionResource);
}

TEST(PeResources, PrefersUsEnglishToALanguageListedFirst) {
    PeOptions options;
    options.otherLanguages = {{0x0407, unicodeDriverBlock("9.9.9")}};
    EXPECT_EQ(queryFile(peDriver(options).bytes), "4.00.1116");
}

TEST(PeResources, PrefersTheNeutralLanguageToUsEnglish) {
    PeOptions options;
    options.otherLanguages = {{0x0000, unicodeDriverBlock("1.1")}};
    EXPECT_EQ(queryFile(peDriver(options).bytes), "1.1");
}

TEST(PeResources, TakesTheFirstLanguageWhenNoPreferredOneIsThere) {
    PeOptions options;
    options.otherLanguages = {{0x0407, unicodeDriverBlock("1.1")}};
    options.language = 0x040C;
    EXPECT_EQ(queryFile(peDriver(options).bytes), "1.1");
}

TEST(PeResources, FindsDataInAnotherSectionThanTheDirectory) {
    PeOptions options;
    options.dataInSecondSection = true;
    const auto fixture = peDriver(options);
    const auto info = readBytes(fixture.bytes);
    ASSERT_TRUE(info) << info.error().reason;
    EXPECT_EQ(info->located.location.offset, fixture.blockOffset);
    EXPECT_EQ(queryFile(fixture.bytes), "4.00.1116");
}

TEST(PeResources, RejectsDataRvaInNoSection) {
    auto fixture = peDriver();
    fixture.putU32("rsrc.data_rva", 0x00F00000);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::Malformed);
}

TEST(PeResources, RejectsDataSizeZero) {
    auto fixture = peDriver();
    fixture.putU32("rsrc.data_size", 0);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::Malformed);
}

TEST(PeResources, CutsHugeDataSizeToTheSection) {
    auto fixture = peDriver();
    fixture.putU32("rsrc.data_size", 0xFFFFFFFFu);
    const auto info = readBytes(fixture.bytes);
    ASSERT_TRUE(info) << info.error().reason;
    EXPECT_LE(info->located.location.length, 0xFFFFu);
    EXPECT_EQ(queryFile(fixture.bytes), "4.00.1116");
}

TEST(PeResources, RejectsDataSizeTooSmallForTheBlockHeader) {
    auto fixture = peDriver();
    fixture.putU32("rsrc.data_size", 3);
    EXPECT_EQ(rejection(fixture.bytes).failure, Failure::Truncated);
}

TEST(PeResources, MapsRvasThroughTheFirstSectionHoldingThem) {
    PeHeaders headers;
    headers.sections = {{".a", 0x1000, 0x200, 0x400}, {".b", 0x1000, 0x800, 0x800}};
    const auto low = mapRva(headers, 0x1100);
    ASSERT_TRUE(low);
    EXPECT_EQ(low->offset, 0x500u);
    EXPECT_EQ(low->available, 0x100u);
    const auto high = mapRva(headers, 0x1300);
    ASSERT_TRUE(high);
    EXPECT_EQ(high->offset, 0xB00u) << "past the first section's raw data, the second one holds it";
    EXPECT_FALSE(mapRva(headers, 0x1800)) << "the zero-filled tail maps nowhere";
    EXPECT_FALSE(mapRva(headers, 0x0FFF));
}

}  // namespace
}  // namespace rt::version::test
