#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Builds executables with chosen version information, byte by byte, for the
// tests, the fuzzer's initial corpus and the benchmark. Nothing here reads
// files: the containers are written from the same field tables the readers
// document, so a test can name the field it corrupts.
namespace keldwick::fixtures {

using Bytes = std::vector<std::byte>;

// One node of a version block, in either layout. The optional fields write a
// wrong value in place of the right one, for broken variants; the layout of
// the following bytes still follows the true values.
struct Node {
    enum class Value { None, Text, Binary };

    std::string key;
    Value kind = Value::None;
    std::string text;
    Bytes binary;
    std::vector<Node> children;

    std::optional<std::uint16_t> length;       // wLength
    std::optional<std::uint16_t> valueLength;  // wValueLength
    std::optional<std::uint16_t> type;         // wType, 32-bit layout only
    bool omitTextNul = false;                  // the string's NUL is not written
};

Node textNode(std::string key, std::string text);
Node binaryNode(std::string key, Bytes bytes);
Node parentNode(std::string key, std::vector<Node> children);

struct StringTable {
    std::string key = "040904E4";
    std::vector<std::pair<std::string, std::string>> strings;
};

struct VersionContents {
    std::vector<StringTable> tables;
    std::vector<std::uint32_t> translations{0x04E40409};  // LOWORD language, HIWORD code page
    std::uint16_t fileVersion[4] = {4, 0, 0, 1116};
    std::uint32_t fileType = 5;  // VFT_VXD
    bool varFileInfoFirst = false;
};

// A driver's typical version information with the given FileVersion text.
VersionContents driverContents(const std::string& fileVersion, const std::string& tableKey = "040904E4");
Bytes fixedFileInfo(const VersionContents& contents);
Node versionTree(const VersionContents& contents);

Bytes encodeAnsi(const Node& root);
Bytes encodeUnicode(const Node& root);

// A built file and the offsets of the fields a test may corrupt, by name
// ("le.winresoff", "pe.resource_rva", ...).
struct Fixture {
    Bytes bytes;
    std::map<std::string, std::size_t> fields;
    std::size_t blockOffset = 0;

    std::size_t at(const std::string& field) const;
    void putU8(const std::string& field, std::uint8_t value);
    void putU16(const std::string& field, std::uint16_t value);
    void putU32(const std::string& field, std::uint32_t value);
};

struct LeOptions {
    std::uint16_t deviceId = 0x0037;
    std::uint16_t ddkVersion = 0x0400;
    std::size_t codeBytes = 256;  // filler between the header and the resource
};

struct NeOptions {
    std::uint16_t alignShift = 4;
};

struct PeLanguage {
    std::uint16_t id = 0x0409;
    Bytes block;
};

struct PeOptions {
    bool is64 = false;
    std::uint16_t nameId = 1;
    // Listed in this order in the language directory.
    std::vector<PeLanguage> otherLanguages;
    std::uint16_t language = 0x0409;
    // Puts the version data in a section of its own after .rsrc.
    bool dataInSecondSection = false;
};

Fixture leFile(const Bytes& block, const LeOptions& options = {});
Fixture neFile(const Bytes& block, const NeOptions& options = {});
Fixture peFile(const Bytes& block, const PeOptions& options = {});

// The named corpus: valid files of every format with the edge-case texts,
// and broken variants. Written out by the generator program.
std::vector<std::pair<std::string, Bytes>> standardCorpus();
// Bare blocks in both layouts, well formed and broken.
std::vector<std::pair<std::string, Bytes>> standardBlocks();

Bytes toBytes(const std::string& text);

}  // namespace keldwick::fixtures
