#include "VersionDump.h"

#include <gtest/gtest.h>

#include "VersionTestSupport.h"

namespace rt::version::test {
namespace {

using keldwick::dump::DumpResult;
using keldwick::dump::dumpVersionInfo;

DumpResult dump(const Bytes& bytes) {
    MemorySource source(bytes);
    return dumpVersionInfo(source);
}

TEST(VersionDump, PrintsWhatTheReaderSeesInADriver) {
    const auto result = dump(fixtures::leFile(ansiDriverBlock("4.00.1116")).bytes);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(
        result.text,
        "format: LE, new header at 0x80\n"
        "found: LE Windows resource at 0x244 (408 bytes), 12-byte record header, 396 bytes of data declared\n"
        "block: at 0x250, 396 bytes available\n"
        "layout: 16-bit ANSI, root length 396; handed out as 396 bytes in the 16-bit layout\n"
        "\"VS_VERSION_INFO\" @0x0: fixed file info: signature 0xFEEF04BD, file version 4.0.0.1116, file type "
        "5\n"
        "  \"StringFileInfo\" @0x48\n"
        "    \"040904E4\" @0x5C\n"
        "      \"CompanyName\" @0x6C = \"Keldwick test fixtures\"\n"
        "      \"FileDescription\" @0x94 = \"Network redirector (fixture)\"\n"
        "      \"FileVersion\" @0xC8 = \"4.00.1116\"\n"
        "      \"InternalName\" @0xE4 = \"VREDIR\"\n"
        "      \"OriginalFilename\" @0x100 = \"VREDIR.VXD\"\n"
        "      \"ProductName\" @0x124 = \"Keldwick fixture\"\n"
        "      \"ProductVersion\" @0x148 = \"4.00.950\"\n"
        "  \"VarFileInfo\" @0x168\n"
        "    \"Translation\" @0x178: 0x04E40409\n"
        "query \\StringFileInfo\\040904E4\\FileVersion: \"4.00.1116\" (length 10)\n");
}

TEST(VersionDump, PrintsTheExactReasonForARejectedBlock) {
    auto tree = fixtures::versionTree(fixtures::driverContents("4.00.1116"));
    tree.length = 2;
    const auto result = dump(fixtures::leFile(fixtures::encodeAnsi(tree)).bytes);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.text.find("block: at 0x250"), std::string::npos) << "where the block lies comes first";
    EXPECT_NE(result.text.find("rejected: block length 2 is smaller than its 4-byte header\n"),
              std::string::npos);
}

TEST(VersionDump, PrintsTheReasonForAFileThatIsNoExecutable) {
    EXPECT_EQ(dump(fixtures::toBytes(std::string(80, 'x'))).text,
              "rejected: no MZ signature at the start of the file\n");
}

TEST(VersionDump, EscapesBytesThatAreNotPrintable) {
    auto contents = fixtures::driverContents("4.00\x01\xE9\"");
    const auto result = dump(fixtures::leFile(fixtures::encodeAnsi(fixtures::versionTree(contents))).bytes);
    EXPECT_NE(result.text.find("\"FileVersion\" @0xC8 = \"4.00\\x01\\xE9\\x22\""), std::string::npos)
        << result.text;
}

TEST(VersionDump, ShowsRepairsAsNotes) {
    auto tree = fixtures::versionTree(fixtures::driverContents("4.00.1116"));
    tree.children.at(0).children.at(0).children.at(1).length = 0;
    const auto result = dump(fixtures::leFile(fixtures::encodeAnsi(tree)).bytes);
    EXPECT_NE(result.text.find("note: a child of length 0 at 0x94 ends the list of \"040904E4\"\n"),
              std::string::npos)
        << result.text;
    EXPECT_NE(result.text.find(": not found\n"), std::string::npos);
}

TEST(VersionDump, ShowsABinaryValueAtTheEndOfTheBlockWithoutReadingPastIt) {
    // Translation is the block's last node, and its four bytes hold no NUL.
    const auto bytes = fixtures::leFile(ansiDriverBlock("4.00.1116")).bytes;
    MemorySource source(bytes);
    const auto result = dumpVersionInfo(source, "\\VarFileInfo\\Translation");
    EXPECT_NE(result.text.find("query \\VarFileInfo\\Translation: \"\\x09\\x04\\xE4\\x04\" (length 4)\n"),
              std::string::npos)
        << result.text;
}

}  // namespace
}  // namespace rt::version::test
