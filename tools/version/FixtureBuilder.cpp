#include "FixtureBuilder.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace keldwick::fixtures {

namespace {

// CP1252 bytes 0x80..0x9F in Unicode; fixture texts are CP1252 bytes.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t toUnicode(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : static_cast<char16_t>(byte);
}

// An append-only byte buffer that remembers where named fields were written.
class Writer {
  public:
    std::size_t size() const { return m_bytes.size(); }

    void u8(std::uint8_t value) { m_bytes.push_back(static_cast<std::byte>(value)); }
    void u16(std::uint16_t value) {
        u8(static_cast<std::uint8_t>(value & 0xFF));
        u8(static_cast<std::uint8_t>(value >> 8));
    }
    void u32(std::uint32_t value) {
        u16(static_cast<std::uint16_t>(value & 0xFFFF));
        u16(static_cast<std::uint16_t>(value >> 16));
    }
    void u64(std::uint64_t value) {
        u32(static_cast<std::uint32_t>(value & 0xFFFFFFFF));
        u32(static_cast<std::uint32_t>(value >> 32));
    }
    void text(const std::string& chars) {
        for (const char c : chars) {
            u8(static_cast<std::uint8_t>(c));
        }
    }
    void bytes(const Bytes& more) { m_bytes.insert(m_bytes.end(), more.begin(), more.end()); }
    void fill(std::size_t count, std::uint8_t value = 0) {
        m_bytes.insert(m_bytes.end(), count, std::byte{value});
    }
    void padTo(std::size_t alignment) { fill((alignment - size() % alignment) % alignment); }
    void growTo(std::size_t length) { fill(length > size() ? length - size() : 0); }

    // Records the current position under a name, for Fixture::fields.
    void mark(const std::string& name) { m_fields[name] = size(); }

    void patchU16(std::size_t at, std::uint16_t value) {
        m_bytes.at(at) = static_cast<std::byte>(value & 0xFF);
        m_bytes.at(at + 1) = static_cast<std::byte>(value >> 8);
    }
    void patchU32(std::size_t at, std::uint32_t value) {
        patchU16(at, static_cast<std::uint16_t>(value & 0xFFFF));
        patchU16(at + 2, static_cast<std::uint16_t>(value >> 16));
    }

    Fixture finish(std::size_t blockOffset) {
        return Fixture{std::move(m_bytes), std::move(m_fields), blockOffset};
    }
    Bytes take() { return std::move(m_bytes); }

  private:
    Bytes m_bytes;
    std::map<std::string, std::size_t> m_fields;
};

std::uint16_t textValueLength(const Node& node, std::size_t units) {
    return static_cast<std::uint16_t>(units + (node.omitTextNul ? 0 : 1));
}

void encodeAnsiNode(const Node& node, Writer& out) {
    const auto start = out.size();
    out.u16(0);
    std::uint16_t valueLength = 0;
    if (node.kind == Node::Value::Text) {
        valueLength = textValueLength(node, node.text.size());
    } else if (node.kind == Node::Value::Binary) {
        valueLength = static_cast<std::uint16_t>(node.binary.size());
    }
    out.u16(node.valueLength.value_or(valueLength));
    out.text(node.key);
    out.u8(0);
    if (node.kind != Node::Value::None) {
        out.padTo(4);
        if (node.kind == Node::Value::Text) {
            out.text(node.text);
            if (!node.omitTextNul) {
                out.u8(0);
            }
        } else {
            out.bytes(node.binary);
        }
    }
    for (const auto& child : node.children) {
        out.padTo(4);
        encodeAnsiNode(child, out);
    }
    out.patchU16(start, node.length.value_or(static_cast<std::uint16_t>(out.size() - start)));
}

void putUtf16(Writer& out, const std::string& text) {
    for (const char c : text) {
        out.u16(toUnicode(c));
    }
}

void encodeUnicodeNode(const Node& node, Writer& out) {
    const auto start = out.size();
    out.u16(0);
    std::uint16_t valueLength = 0;
    if (node.kind == Node::Value::Text) {
        valueLength = textValueLength(node, node.text.size());
    } else if (node.kind == Node::Value::Binary) {
        valueLength = static_cast<std::uint16_t>(node.binary.size());
    }
    out.u16(node.valueLength.value_or(valueLength));
    out.u16(node.type.value_or(node.kind == Node::Value::Binary ? 0 : 1));
    putUtf16(out, node.key);
    out.u16(0);
    if (node.kind != Node::Value::None) {
        out.padTo(4);
        if (node.kind == Node::Value::Text) {
            putUtf16(out, node.text);
            if (!node.omitTextNul) {
                out.u16(0);
            }
        } else {
            out.bytes(node.binary);
        }
    }
    for (const auto& child : node.children) {
        out.padTo(4);
        encodeUnicodeNode(child, out);
    }
    out.patchU16(start, node.length.value_or(static_cast<std::uint16_t>(out.size() - start)));
}

void writeMzHeader(Writer& out, std::uint32_t newHeader) {
    out.text("MZ");
    out.fill(0x3C - out.size());
    out.mark("mz.e_lfanew");
    out.u32(newHeader);
    out.growTo(newHeader);
}

std::uint32_t alignUp(std::uint32_t value, std::uint32_t alignment) {
    return (value + alignment - 1) / alignment * alignment;
}

}  // namespace

Node textNode(std::string key, std::string text) {
    Node node;
    node.key = std::move(key);
    node.kind = Node::Value::Text;
    node.text = std::move(text);
    return node;
}

Node binaryNode(std::string key, Bytes bytes) {
    Node node;
    node.key = std::move(key);
    node.kind = Node::Value::Binary;
    node.binary = std::move(bytes);
    return node;
}

Node parentNode(std::string key, std::vector<Node> children) {
    Node node;
    node.key = std::move(key);
    node.children = std::move(children);
    return node;
}

VersionContents driverContents(const std::string& fileVersion, const std::string& tableKey) {
    VersionContents contents;
    StringTable table;
    table.key = tableKey;
    table.strings = {
        {"CompanyName", "Keldwick test fixtures"},
        {"FileDescription", "Network redirector (fixture)"},
        {"FileVersion", fileVersion},
        {"InternalName", "VREDIR"},
        {"OriginalFilename", "VREDIR.VXD"},
        {"ProductName", "Keldwick fixture"},
        {"ProductVersion", "4.00.950"},
    };
    contents.tables.push_back(table);
    const auto key = std::stoul(tableKey, nullptr, 16);
    contents.translations = {static_cast<std::uint32_t>(((key & 0xFFFF) << 16) | (key >> 16))};
    return contents;
}

Bytes fixedFileInfo(const VersionContents& contents) {
    Writer out;
    out.u32(0xFEEF04BD);
    out.u32(0x00010000);
    const auto ms = static_cast<std::uint32_t>(contents.fileVersion[0] << 16 | contents.fileVersion[1]);
    const auto ls = static_cast<std::uint32_t>(contents.fileVersion[2] << 16 | contents.fileVersion[3]);
    out.u32(ms);
    out.u32(ls);
    out.u32(ms);
    out.u32(ls);
    out.u32(0x3F);        // flags mask
    out.u32(0);           // flags
    out.u32(0x00010004);  // VOS_DOS_WINDOWS32
    out.u32(contents.fileType);
    out.u32(0);  // subtype
    out.u32(0);  // date
    out.u32(0);
    return out.take();
}

Node versionTree(const VersionContents& contents) {
    std::vector<Node> tables;
    for (const auto& table : contents.tables) {
        std::vector<Node> strings;
        for (const auto& [key, value] : table.strings) {
            strings.push_back(textNode(key, value));
        }
        tables.push_back(parentNode(table.key, std::move(strings)));
    }
    Writer translations;
    for (const auto translation : contents.translations) {
        translations.u32(translation);
    }
    auto stringInfo = parentNode("StringFileInfo", std::move(tables));
    auto varInfo = parentNode("VarFileInfo", {binaryNode("Translation", translations.take())});
    varInfo.type = 1;
    Node root = binaryNode("VS_VERSION_INFO", fixedFileInfo(contents));
    if (contents.varFileInfoFirst) {
        root.children = {std::move(varInfo), std::move(stringInfo)};
    } else {
        root.children = {std::move(stringInfo), std::move(varInfo)};
    }
    return root;
}

Bytes encodeAnsi(const Node& root) {
    Writer out;
    encodeAnsiNode(root, out);
    return out.take();
}

Bytes encodeUnicode(const Node& root) {
    Writer out;
    encodeUnicodeNode(root, out);
    return out.take();
}

std::size_t Fixture::at(const std::string& field) const {
    const auto found = fields.find(field);
    if (found == fields.end()) {
        throw std::out_of_range("fixture has no field " + field);
    }
    return found->second;
}

void Fixture::putU8(const std::string& field, std::uint8_t value) {
    bytes.at(at(field)) = static_cast<std::byte>(value);
}

void Fixture::putU16(const std::string& field, std::uint16_t value) {
    putU8(field, static_cast<std::uint8_t>(value & 0xFF));
    bytes.at(at(field) + 1) = static_cast<std::byte>(value >> 8);
}

void Fixture::putU32(const std::string& field, std::uint32_t value) {
    const auto offset = at(field);
    for (std::size_t i = 0; i < 4; ++i) {
        bytes.at(offset + i) = static_cast<std::byte>((value >> (8 * i)) & 0xFF);
    }
}

Fixture leFile(const Bytes& block, const LeOptions& options) {
    constexpr std::uint32_t kLe = 0x80;
    Writer out;
    writeMzHeader(out, kLe);
    out.mark("le.signature");
    out.text("LE");
    out.mark("le.byte_order");
    out.u8(0);
    out.u8(0);
    out.u32(0);        // format level
    out.u16(2);        // CPU: 80386
    out.u16(4);        // OS: Windows 386 (VxD)
    out.u32(0);        // module version
    out.u32(0x38000);  // dynamic VxD
    out.growTo(kLe + 0xB8);
    out.mark("le.winresoff");
    out.u32(0);
    out.mark("le.winreslen");
    out.u32(0);
    out.mark("le.devid");
    out.u16(options.deviceId);
    out.mark("le.ddkver");
    out.u16(options.ddkVersion);
    out.fill(options.codeBytes, 0xCC);

    const auto resource = out.size();
    out.mark("res.type_marker");
    out.u8(0xFF);
    out.mark("res.type");
    out.u16(16);
    out.mark("res.name_marker");
    out.u8(0xFF);
    out.mark("res.name");
    out.u16(1);
    out.mark("res.flags");
    out.u16(0x0030);
    out.mark("res.size");
    out.u32(static_cast<std::uint32_t>(block.size()));
    const auto blockOffset = out.size();
    out.bytes(block);
    auto fixture = out.finish(blockOffset);
    fixture.putU32("le.winresoff", static_cast<std::uint32_t>(resource));
    fixture.putU32("le.winreslen", static_cast<std::uint32_t>(fixture.bytes.size() - resource));
    return fixture;
}

namespace {

constexpr std::uint32_t kNe = 0x40;
constexpr std::uint16_t kNeTable = 0x40;  // resource table right after the 64-byte NE header

void writeNeHeader(Writer& out, std::uint16_t alignShift) {
    writeMzHeader(out, kNe);
    out.mark("ne.signature");
    out.text("NE");
    out.u8(5);  // linker version
    out.u8(10);
    out.growTo(kNe + 0x0C);
    out.u16(0x8300);  // library module, protected mode only
    out.growTo(kNe + 0x22);
    out.u16(kNeTable);  // segment table: empty, at the resource table
    out.mark("ne.rsrctab");
    out.u16(kNeTable);
    out.mark("ne.restab");
    out.u16(0);
    out.growTo(kNe + 0x32);
    out.u16(alignShift);  // segment alignment
    out.growTo(kNe + 0x36);
    out.u8(2);  // Windows
    out.growTo(kNe + kNeTable);
}

// Offsets from the NE header, patched into it once the block is placed.
struct NeTables {
    std::size_t residentNames;
    std::size_t end;
};

// One resource type holding one resource, whose place and length are patched
// later; then the resident names.
NeTables writeNeResourceTable(Writer& out, std::uint16_t alignShift) {
    out.mark("ne.shift");
    out.u16(alignShift);
    out.mark("ne.type_id");
    out.u16(0x8010);
    out.mark("ne.type_count");
    out.u16(1);
    out.u32(0);
    out.mark("ne.rn_offset");
    out.u16(0);
    out.mark("ne.rn_length");
    out.u16(0);
    out.u16(0x0030);  // moveable, pure
    out.mark("ne.rn_id");
    out.u16(0x8001);
    out.u32(0);
    out.mark("ne.terminator");
    out.u16(0);
    out.u8(0);  // no resource name strings
    const auto residentNames = out.size() - kNe;
    out.text("\x06VREDIR");
    out.u16(0);
    out.u8(0);
    return {residentNames, out.size() - kNe};
}

constexpr std::uint32_t kPe = 0x40;
constexpr std::uint32_t kFileAlignment = 0x200;
constexpr std::uint32_t kSectionAlignment = 0x1000;
constexpr std::uint32_t kResourceRva = 0x1000;

// The three directory levels (type, name, language), then one data entry per
// language, the last language being the main one. Returns where each data
// entry is, for the blocks' addresses once they are placed.
std::vector<std::size_t> writePeResourceDirectory(Writer& rsrc, const std::vector<PeLanguage>& languages,
                                                  std::uint16_t nameId) {
    rsrc.fill(12);
    rsrc.mark("rsrc.root_named_count");
    rsrc.u16(0);
    rsrc.mark("rsrc.root_id_count");
    rsrc.u16(1);
    rsrc.mark("rsrc.type_id");
    rsrc.u32(16);
    rsrc.mark("rsrc.type_offset");
    rsrc.u32(0x80000000u | 0x18);
    rsrc.fill(14);
    rsrc.u16(1);
    rsrc.mark("rsrc.name_id");
    rsrc.u32(nameId);
    rsrc.mark("rsrc.name_offset");
    rsrc.u32(0x80000000u | 0x30);
    rsrc.fill(14);
    rsrc.u16(static_cast<std::uint16_t>(languages.size()));
    const auto entries = rsrc.size() + 8 * languages.size();
    for (std::size_t i = 0; i < languages.size(); ++i) {
        const bool isMain = i + 1 == languages.size();
        if (isMain) {
            rsrc.mark("rsrc.lang_id");
        }
        rsrc.u32(languages[i].id);
        if (isMain) {
            rsrc.mark("rsrc.lang_offset");
        }
        rsrc.u32(static_cast<std::uint32_t>(entries + 16 * i));
    }
    std::vector<std::size_t> dataEntries;
    for (std::size_t i = 0; i < languages.size(); ++i) {
        dataEntries.push_back(rsrc.size());
        if (i + 1 == languages.size()) {
            rsrc.mark("rsrc.data_rva");
        }
        rsrc.u32(0);
        if (i + 1 == languages.size()) {
            rsrc.mark("rsrc.data_size");
        }
        rsrc.u32(static_cast<std::uint32_t>(languages[i].block.size()));
        rsrc.u32(0);  // code page
        rsrc.u32(0);
    }
    return dataEntries;
}

std::uint32_t secondSectionRva(std::uint32_t rsrcSize) {
    return kResourceRva + alignUp(rsrcSize, kSectionAlignment);
}

// The resource section, its fields at offsets from its start.
struct PeResources {
    Fixture section;
    std::size_t mainBlock;  // the version block's offset; 0 when it is in a section of its own
    std::uint32_t size;
};

PeResources peResources(const Bytes& block, const PeOptions& options) {
    std::vector<PeLanguage> languages = options.otherLanguages;
    languages.push_back({options.language, block});
    Writer rsrc;
    const auto dataEntries = writePeResourceDirectory(rsrc, languages, options.nameId);
    std::size_t mainBlock = 0;
    for (std::size_t i = 0; i < languages.size(); ++i) {
        const bool isMain = i + 1 == languages.size();
        if (isMain && options.dataInSecondSection) {
            break;
        }
        rsrc.padTo(8);
        rsrc.patchU32(dataEntries[i], static_cast<std::uint32_t>(kResourceRva + rsrc.size()));
        if (isMain) {
            mainBlock = rsrc.size();
        }
        rsrc.bytes(languages[i].block);
    }
    const auto rsrcSize = static_cast<std::uint32_t>(rsrc.size());
    if (options.dataInSecondSection) {
        rsrc.patchU32(dataEntries.back(), secondSectionRva(rsrcSize));
    }
    return {rsrc.finish(0), mainBlock, rsrcSize};
}

// What the headers say of the sections that follow them.
struct PeLayout {
    std::uint32_t rsrcSize;
    std::uint32_t rsrcRaw;
    std::uint32_t blockSize;
    std::uint32_t blockRaw;
    std::uint32_t secondRva;
    std::uint32_t sizeOfImage;
    std::uint16_t optionalSize;
};

PeLayout peLayout(std::uint32_t rsrcSize, const Bytes& block, const PeOptions& options) {
    const auto blockSize = static_cast<std::uint32_t>(block.size());
    const auto secondRva = secondSectionRva(rsrcSize);
    return {
        rsrcSize,
        alignUp(rsrcSize, kFileAlignment),
        blockSize,
        alignUp(blockSize, kFileAlignment),
        secondRva,
        options.dataInSecondSection ? secondRva + alignUp(blockSize, kSectionAlignment) : secondRva,
        static_cast<std::uint16_t>(options.is64 ? 0xF0 : 0xE0),
    };
}

void writePeFileHeader(Writer& out, const PeLayout& layout, const PeOptions& options) {
    writeMzHeader(out, kPe);
    out.mark("pe.signature");
    out.text(std::string("PE\0\0", 4));
    out.u16(options.is64 ? 0x8664 : 0x014C);
    out.mark("pe.number_of_sections");
    out.u16(static_cast<std::uint16_t>(options.dataInSecondSection ? 2 : 1));
    out.fill(12);
    out.mark("pe.size_of_optional_header");
    out.u16(layout.optionalSize);
    out.u16(options.is64 ? 0x2022 : 0x2102);  // DLL, executable (large-address aware / 32-bit machine)
}

void writePeOptionalHeader(Writer& out, const PeLayout& layout, const PeOptions& options) {
    const auto optional = out.size();
    out.mark("pe.magic");
    out.u16(options.is64 ? 0x020B : 0x010B);
    out.u8(14);  // linker version
    out.u8(0);
    out.u32(0);  // size of code
    out.u32(layout.rsrcRaw);
    out.u32(0);
    out.u32(0);  // entry point: none, a resource-only DLL
    out.u32(kResourceRva);
    if (options.is64) {
        out.u64(0x180000000ull);
    } else {
        out.u32(kResourceRva);
        out.u32(0x10000000);
    }
    out.u32(kSectionAlignment);
    out.u32(kFileAlignment);
    out.u16(4);  // OS version
    out.u16(0);
    out.u32(0);  // image version
    out.u16(4);  // subsystem version
    out.u16(0);
    out.u32(0);
    out.u32(layout.sizeOfImage);
    out.u32(kFileAlignment);  // size of headers
    out.u32(0);               // checksum
    out.u16(2);               // Windows GUI
    out.u16(0);
    for (int i = 0; i < 4; ++i) {
        if (options.is64) {
            out.u64(i % 2 == 0 ? 0x100000u : 0x1000u);
        } else {
            out.u32(i % 2 == 0 ? 0x100000u : 0x1000u);
        }
    }
    out.u32(0);  // loader flags
    out.mark("pe.number_of_rva_and_sizes");
    out.u32(16);
    out.fill(16);  // export and import directories
    out.mark("pe.resource_rva");
    out.u32(kResourceRva);
    out.mark("pe.resource_size");
    out.u32(layout.rsrcSize);
    out.growTo(optional + layout.optionalSize);
}

void writePeSectionTable(Writer& out, const PeLayout& layout, const PeOptions& options) {
    out.mark("section.name");
    out.text(std::string(".rsrc\0\0\0", 8));
    out.u32(layout.rsrcSize);
    out.mark("section.virtual_address");
    out.u32(kResourceRva);
    out.mark("section.size_of_raw_data");
    out.u32(layout.rsrcRaw);
    out.mark("section.pointer_to_raw_data");
    out.u32(kFileAlignment);
    out.fill(12);
    out.u32(0x40000040);  // initialised data, readable
    if (options.dataInSecondSection) {
        out.text(std::string(".vdata\0\0", 8));
        out.u32(layout.blockSize);
        out.u32(layout.secondRva);
        out.u32(layout.blockRaw);
        out.u32(kFileAlignment + layout.rsrcRaw);
        out.fill(12);
        out.u32(0x40000040);
    }
    out.growTo(kFileAlignment);
}

}  // namespace

Fixture neFile(const Bytes& block, const NeOptions& options) {
    const std::uint32_t unit = 1u << options.alignShift;
    Writer out;
    writeNeHeader(out, options.alignShift);
    const auto tables = writeNeResourceTable(out, options.alignShift);

    out.padTo(unit);
    const auto blockOffset = out.size();
    out.bytes(block);
    const auto units = (block.size() + unit - 1) / unit;
    out.growTo(blockOffset + units * unit);
    auto fixture = out.finish(blockOffset);
    fixture.putU16("ne.restab", static_cast<std::uint16_t>(tables.residentNames));
    for (const std::uint32_t field :
         {0x04u, 0x28u, 0x2Au}) {  // entry, module-reference and imported-name tables: empty
        fixture.bytes.at(kNe + field) = static_cast<std::byte>(tables.end & 0xFF);
        fixture.bytes.at(kNe + field + 1) = static_cast<std::byte>(tables.end >> 8);
    }
    fixture.putU16("ne.rn_offset", static_cast<std::uint16_t>(blockOffset >> options.alignShift));
    fixture.putU16("ne.rn_length", static_cast<std::uint16_t>(units));
    return fixture;
}

Fixture peFile(const Bytes& block, const PeOptions& options) {
    const auto resources = peResources(block, options);
    const auto layout = peLayout(resources.size, block, options);
    Writer out;
    writePeFileHeader(out, layout, options);
    writePeOptionalHeader(out, layout, options);
    writePeSectionTable(out, layout, options);

    const auto rsrcStart = out.size();
    out.bytes(resources.section.bytes);
    out.growTo(rsrcStart + layout.rsrcRaw);
    std::size_t blockOffset = rsrcStart + resources.mainBlock;
    if (options.dataInSecondSection) {
        blockOffset = out.size();
        out.bytes(block);
        out.growTo(blockOffset + layout.blockRaw);
    }
    auto fixture = out.finish(blockOffset);
    for (const auto& [name, offset] : resources.section.fields) {
        fixture.fields[name] = rsrcStart + offset;
    }
    return fixture;
}

Bytes toBytes(const std::string& text) {
    Bytes out;
    for (const char c : text) {
        out.push_back(static_cast<std::byte>(c));
    }
    return out;
}

}  // namespace keldwick::fixtures
