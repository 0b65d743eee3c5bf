#include "PeResources.h"

#include <algorithm>

#include "platform/base/ByteReader.h"

namespace rt::version {

namespace {

constexpr std::uint16_t kPe32Magic = 0x010B;
constexpr std::uint16_t kPe64Magic = 0x020B;
constexpr std::size_t kDirectoryHeaderSize = 16;
constexpr std::size_t kDirectoryEntrySize = 8;
constexpr std::size_t kDataEntrySize = 16;
constexpr std::uint32_t kHighBit = 0x80000000u;

// Languages tried in turn, as a U.S. English system chooses: language-neutral,
// then U.S. English; failing both, the first language listed.
constexpr std::uint16_t kPreferredLanguages[] = {0x0000, 0x0409};

struct ResourceEntry {
    std::uint16_t id = 0;
    bool isDirectory = false;
    std::uint32_t offset = 0;  // from the start of the resource directory
};

// The resource area: where the root directory lies and how many bytes of its
// section follow it. Every offset inside the tree is relative to its start.
struct ResourceArea {
    std::uint64_t offset = 0;
    std::uint64_t available = 0;
};

std::string sectionName(std::span<const std::byte> raw) {
    std::string name;
    for (const auto byte : raw) {
        if (byte == std::byte{0}) {
            break;
        }
        name += static_cast<char>(byte);
    }
    return name;
}

// One entry of a section table that holds it whole.
PeSection readSection(rt::ByteReader& table) {
    PeSection section;
    section.name = sectionName(rt::checkedRead(table.readBytes(8)));
    (void)table.skip(4);  // VirtualSize: the loader's view, not the file's
    section.virtualAddress = rt::checkedRead(table.readU32());
    section.sizeOfRawData = rt::checkedRead(table.readU32());
    section.pointerToRawData = rt::checkedRead(table.readU32());
    (void)table.skip(16);
    return section;
}

// Reads one directory's integer-ID entries. Named entries come first and are
// skipped: type 16, name 1 and languages are all integer IDs. The whole entry
// array must lie in the resource section, so the counts cannot make us read
// more than the section holds.
Result<std::vector<ResourceEntry>, Error> readDirectory(ByteSource& source, const ResourceArea& area,
                                                        std::uint32_t directory, std::string_view level) {
    const std::string where = std::string(level) + " directory at +" + hex(directory);
    if (!fits(directory, kDirectoryHeaderSize, area.available)) {
        return fail(Failure::Truncated, "the " + where + " lies past the end of the resource section");
    }
    auto header = readRange(source, area.offset + directory, kDirectoryHeaderSize, "the " + where);
    if (!header) {
        return header.error();
    }
    const rt::ByteReader reader(*header);
    const std::uint64_t named = rt::checkedRead(reader.u16At(12));
    const std::uint64_t ids = rt::checkedRead(reader.u16At(14));
    const auto entriesStart = std::uint64_t{directory} + kDirectoryHeaderSize;
    if (!fits(entriesStart, (named + ids) * kDirectoryEntrySize, area.available)) {
        return fail(Failure::Truncated, "the " + where + " declares " + std::to_string(named + ids) +
                                            " entries, more than the resource section holds");
    }
    auto raw = readRange(source, area.offset + entriesStart + named * kDirectoryEntrySize,
                         static_cast<std::size_t>(ids * kDirectoryEntrySize), "the entries of the " + where);
    if (!raw) {
        return raw.error();
    }
    rt::ByteReader entries(*raw);
    std::vector<ResourceEntry> out;
    out.reserve(static_cast<std::size_t>(ids));
    while (entries.remaining() >= kDirectoryEntrySize) {
        const auto name = rt::checkedRead(entries.readU32());
        const auto target = rt::checkedRead(entries.readU32());
        // An entry in the integer group whose name is a string offset, or an
        // integer above 16 bits, matches no ID we look for.
        if (name > 0xFFFF) {
            continue;
        }
        out.push_back({static_cast<std::uint16_t>(name), (target & kHighBit) != 0, target & ~kHighBit});
    }
    return out;
}

// Linear scan: more tolerant than Windows' binary search of unsorted IDs, and
// the same answer on every sorted directory.
const ResourceEntry* findId(const std::vector<ResourceEntry>& entries, std::uint16_t id) {
    const auto found =
        std::find_if(entries.begin(), entries.end(), [&](const auto& e) { return e.id == id; });
    return found == entries.end() ? nullptr : &*found;
}

const ResourceEntry* chooseLanguage(const std::vector<ResourceEntry>& entries) {
    for (const auto language : kPreferredLanguages) {
        if (const auto* entry = findId(entries, language)) {
            return entry;
        }
    }
    return entries.empty() ? nullptr : &entries.front();
}

}  // namespace

Result<std::size_t, Error> peHeadersLength(std::span<const std::byte> fileHeader) {
    const rt::ByteReader reader(fileHeader);
    const auto sections = reader.u16At(6);
    const auto optionalSize = reader.u16At(0x14);
    if (!sections || !optionalSize) {
        return fail(Failure::Truncated, "the PE file header is cut short");
    }
    if (*sections > kMaxPeSections) {
        return fail(Failure::Malformed, "the PE file header declares " + std::to_string(*sections) +
                                            " sections, more than the " + std::to_string(kMaxPeSections) +
                                            " this reader accepts");
    }
    return kPeFileHeaderSize + *optionalSize + std::size_t{*sections} * kPeSectionSize;
}

Result<PeHeaders, Error> parsePeHeaders(std::span<const std::byte> headers) {
    const auto length = peHeadersLength(headers);
    if (!length) {
        return length.error();
    }
    if (headers.size() < *length) {
        return fail(Failure::Truncated, "the PE headers are cut short");
    }
    // peHeadersLength read these fields, and the headers hold every byte it counted.
    const rt::ByteReader reader(headers);
    const std::size_t optionalSize = rt::checkedRead(reader.u16At(0x14));
    const std::size_t sections = rt::checkedRead(reader.u16At(6));
    const auto optional = rt::checkedRead(reader.slice(kPeFileHeaderSize, optionalSize));

    PeHeaders out;
    const auto magic = optional.u16At(0);
    if (!magic) {
        return fail(Failure::Malformed, "the optional header is too small for its magic number");
    }
    if (*magic != kPe32Magic && *magic != kPe64Magic) {
        return fail(Failure::Unsupported,
                    "optional header magic " + hex(*magic) + " is neither PE32 nor PE32+");
    }
    out.is64 = *magic == kPe64Magic;
    const std::size_t countField = out.is64 ? 0x6C : 0x5C;
    const std::size_t resourceField = out.is64 ? 0x80 : 0x70;
    const auto count = optional.u32At(countField);
    const auto rva = optional.u32At(resourceField);
    const auto size = optional.u32At(resourceField + 4);
    if (!count || !rva || !size) {
        return fail(Failure::Malformed, "SizeOfOptionalHeader " + std::to_string(optionalSize) +
                                            " leaves no room for the resource data directory");
    }
    if (*count < 3) {
        return fail(Failure::NoVersionResource,
                    "NumberOfRvaAndSizes " + std::to_string(*count) + " has no resource data directory");
    }
    if (*rva == 0 || *size == 0) {
        return fail(Failure::NoVersionResource, "the file has no resource directory");
    }
    out.resourceRva = *rva;
    out.resourceSize = *size;

    // The section table follows the optional header as declared, whatever its
    // fixed layout would suggest.
    rt::ByteReader table =
        rt::checkedRead(reader.slice(kPeFileHeaderSize + optionalSize, sections * kPeSectionSize));
    out.sections.reserve(sections);
    for (std::size_t i = 0; i < sections; ++i) {
        out.sections.push_back(readSection(table));
    }
    return out;
}

std::optional<MappedRva> mapRva(const PeHeaders& headers, std::uint32_t rva) {
    for (const auto& section : headers.sections) {
        if (rva >= section.virtualAddress && rva - section.virtualAddress < section.sizeOfRawData) {
            const auto delta = rva - section.virtualAddress;
            return MappedRva{std::uint64_t{section.pointerToRawData} + delta, section.sizeOfRawData - delta,
                             &section};
        }
    }
    return std::nullopt;
}

namespace {

Result<PeHeaders, Error> readPeHeaders(ByteSource& source, std::uint32_t peOffset) {
    auto fileHeader = readRange(source, peOffset, kPeFileHeaderSize, "the PE file header");
    if (!fileHeader) {
        return fileHeader.error();
    }
    const auto length = peHeadersLength(*fileHeader);
    if (!length) {
        return length.error();
    }
    auto raw = readRange(source, peOffset, *length, "the PE optional header and section table");
    if (!raw) {
        return raw.error();
    }
    return parsePeHeaders(*raw);
}

Result<ResourceArea, Error> resourceArea(const ByteSource& source, const PeHeaders& headers) {
    const auto root = mapRva(headers, headers.resourceRva);
    if (!root) {
        return fail(Failure::Malformed, "the resource directory RVA " + hex(headers.resourceRva) +
                                            " lies in no section's raw data");
    }
    if (root->offset >= source.size()) {
        return fail(Failure::Truncated,
                    "the resource section at " + hex(root->offset) + " starts past the end of the file");
    }
    return ResourceArea{root->offset, std::min(root->available, source.size() - root->offset)};
}

// Exactly three levels, never recursing on what the file says: a directory
// that points back at itself cannot make this loop.
Result<ResourceEntry, Error> findLanguageEntry(ByteSource& source, const ResourceArea& area,
                                               std::uint16_t typeId, std::uint16_t nameId,
                                               const std::string& what) {
    auto types = readDirectory(source, area, 0, "root resource");
    if (!types) {
        return types.error();
    }
    const auto* type = findId(*types, typeId);
    if (type == nullptr) {
        return fail(Failure::NoVersionResource,
                    "the resource directory has no type " + std::to_string(typeId) + " entry");
    }
    if (!type->isDirectory) {
        return fail(Failure::Malformed,
                    "the type entry of the " + what + " points at data, not at a name directory");
    }
    auto names = readDirectory(source, area, type->offset, "name");
    if (!names) {
        return names.error();
    }
    const auto* name = findId(*names, nameId);
    if (name == nullptr) {
        return fail(Failure::NoVersionResource, "there is no " + what);
    }
    if (!name->isDirectory) {
        return fail(Failure::Malformed,
                    "the name entry of the " + what + " points at data, not at a language directory");
    }
    auto languages = readDirectory(source, area, name->offset, "language");
    if (!languages) {
        return languages.error();
    }
    const auto* language = chooseLanguage(*languages);
    if (language == nullptr) {
        return fail(Failure::NoVersionResource, "the language directory of the " + what + " is empty");
    }
    if (language->isDirectory) {
        return fail(Failure::Malformed,
                    "the language entry of the " + what + " points at a fourth directory level");
    }
    return *language;
}

// Follows a language entry to its data, cut to the file and the section.
Result<BlockLocation, Error> locateResourceData(ByteSource& source, const ResourceArea& area,
                                                const PeHeaders& headers, const ResourceEntry& language,
                                                const std::string& what) {
    if (!fits(language.offset, kDataEntrySize, area.available)) {
        return fail(Failure::Truncated, "the data entry of the " + what + " at +" + hex(language.offset) +
                                            " lies past the end of the resource section");
    }
    auto entry = readRange(source, area.offset + language.offset, kDataEntrySize, "the data entry");
    if (!entry) {
        return entry.error();
    }
    const rt::ByteReader fields(*entry);
    const auto dataRva = rt::checkedRead(fields.u32At(0));
    const auto dataSize = rt::checkedRead(fields.u32At(4));
    if (dataSize == 0) {
        return fail(Failure::Malformed, "the declared size of the " + what + " is 0");
    }
    const auto data = mapRva(headers, dataRva);
    if (!data) {
        return fail(Failure::Malformed,
                    "the data RVA " + hex(dataRva) + " of the " + what + " lies in no section's raw data");
    }
    if (data->offset >= source.size()) {
        return fail(Failure::Truncated, "the data of the " + what + " at " + hex(data->offset) +
                                            " lies past the end of the file");
    }
    const auto available = std::min({std::uint64_t{dataSize}, data->available, source.size() - data->offset});
    BlockLocation location;
    location.offset = data->offset;
    location.length = static_cast<std::uint32_t>(available);
    location.details = std::string(headers.is64 ? "PE32+" : "PE32") + ", language " + hex(language.id) +
                       ", data RVA " + hex(dataRva) + " (" + std::to_string(dataSize) +
                       " bytes declared) in " +
                       (data->section->name.empty() ? "an unnamed section" : data->section->name);
    return location;
}

}  // namespace

Result<BlockLocation, Error> findPeResource(ByteSource& source, std::uint32_t peOffset, std::uint16_t typeId,
                                            std::uint16_t nameId) {
    const auto headers = readPeHeaders(source, peOffset);
    if (!headers) {
        return headers.error();
    }
    const auto area = resourceArea(source, *headers);
    if (!area) {
        return area.error();
    }
    const std::string what = "resource " + std::to_string(nameId) + " of type " + std::to_string(typeId);
    const auto language = findLanguageEntry(source, *area, typeId, nameId, what);
    if (!language) {
        return language.error();
    }
    return locateResourceData(source, *area, *headers, *language, what);
}

Result<BlockLocation, Error> findPeVersionBlock(ByteSource& source, std::uint32_t peOffset) {
    auto location = findPeResource(source, peOffset, kRtVersion, kVersionInfoId);
    if (location) {
        location->length = std::min(location->length, kMaxBlockLength);
    }
    return location;
}

}  // namespace rt::version
