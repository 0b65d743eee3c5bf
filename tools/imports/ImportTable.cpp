#include "ImportTable.h"

#include <optional>
#include <string_view>

#include "platform/base/ByteReader.h"
#include "platform/version/MzHeader.h"
#include "platform/version/PeResources.h"

namespace keldwick::imports {

namespace {

constexpr std::uint16_t kPe32PlusMagic = 0x020B;
constexpr std::uint16_t kPe32Magic = 0x010B;
constexpr std::size_t kImportDirectory = 1;
constexpr std::size_t kDelayImportDirectory = 13;
constexpr std::size_t kImportDescriptorSize = 20;
constexpr std::size_t kDelayDescriptorSize = 32;
constexpr std::size_t kDelayNamesAreRvas = 1;
// Bounds the file cannot raise: no real program imports from more DLLs or
// more functions than these, and names are short.
constexpr std::size_t kMaxDescriptors = 1024;
constexpr std::size_t kMaxThunks = 65536;
constexpr std::size_t kMaxName = 512;

using Error = std::string;

struct Layout {
    std::span<const std::byte> file;
    rt::version::PeHeaders headers;
};

// The bytes of the file from an RVA to the end of its section's raw data.
std::optional<rt::ByteReader> at(const Layout& layout, std::uint32_t rva) {
    const auto mapped = rt::version::mapRva(layout.headers, rva);
    if (!mapped || mapped->offset > layout.file.size()) {
        return std::nullopt;
    }
    const auto available = std::min<std::uint64_t>(mapped->available, layout.file.size() - mapped->offset);
    return rt::ByteReader(layout.file)
        .slice(static_cast<std::size_t>(mapped->offset), static_cast<std::size_t>(available));
}

std::optional<std::string> nameAt(const Layout& layout, std::uint32_t rva) {
    const auto reader = at(layout, rva);
    const auto name = reader ? reader->cStringAt(0, kMaxName) : std::nullopt;
    return name ? std::optional<std::string>(*name) : std::nullopt;
}

// One DLL's lookup table: names (after a two-byte hint) or ordinals, up to a zero entry.
rt::Result<void, Error> readThunks(const Layout& layout, std::uint32_t rva, const std::string& dll,
                                   bool delayed, std::vector<Import>& out) {
    auto table = at(layout, rva);
    if (!table) {
        return Error("the lookup table of " + dll + " lies outside every section");
    }
    const bool wide = layout.headers.is64;
    for (std::size_t i = 0; i < kMaxThunks; ++i) {
        std::uint64_t entry = 0;
        if (wide) {
            const auto low = table->readU32();
            const auto high = table->readU32();
            if (!low || !high) {
                return Error("the lookup table of " + dll + " runs off its section");
            }
            entry = (std::uint64_t{*high} << 32) | *low;
        } else {
            const auto value = table->readU32();
            if (!value) {
                return Error("the lookup table of " + dll + " runs off its section");
            }
            entry = *value;
        }
        if (entry == 0) {
            return {};
        }
        const std::uint64_t byOrdinal = wide ? (std::uint64_t{1} << 63) : 0x80000000u;
        Import import{dll, {}, 0, delayed};
        if ((entry & byOrdinal) != 0) {
            import.ordinal = static_cast<std::uint16_t>(entry & 0xFFFF);
        } else {
            const auto name = nameAt(layout, static_cast<std::uint32_t>(entry) + 2);
            if (!name || name->empty()) {
                return Error("an import of " + dll + " names no function");
            }
            import.name = *name;
        }
        out.push_back(std::move(import));
    }
    return Error("the lookup table of " + dll + " has no end");
}

rt::Result<void, Error> readDescriptors(const Layout& layout, std::uint32_t rva, bool delayed,
                                        std::vector<Import>& out) {
    auto table = at(layout, rva);
    if (!table) {
        return Error("the import directory lies outside every section");
    }
    const std::size_t size = delayed ? kDelayDescriptorSize : kImportDescriptorSize;
    for (std::size_t i = 0; i < kMaxDescriptors; ++i) {
        const auto descriptor = table->slice(i * size, size);
        if (!descriptor) {
            return Error("the import directory runs off its section");
        }
        const std::size_t nameField = delayed ? 4 : 12;
        const auto nameRva = rt::checkedRead(descriptor->u32At(nameField));
        if (nameRva == 0) {
            return {};
        }
        // Old delay-import tables hold addresses, not RVAs; this reader takes RVAs only.
        if (delayed && (rt::checkedRead(descriptor->u32At(0)) & kDelayNamesAreRvas) == 0) {
            return Error("a delay-import table of addresses, not RVAs");
        }
        const auto dll = nameAt(layout, nameRva);
        if (!dll || dll->empty()) {
            return Error("an import descriptor names no DLL");
        }
        const auto lookup = rt::checkedRead(descriptor->u32At(delayed ? 16 : 0));
        const auto addresses = rt::checkedRead(descriptor->u32At(delayed ? 12 : 16));
        if (auto read = readThunks(layout, lookup != 0 ? lookup : addresses, *dll, delayed, out); !read) {
            return read.error();
        }
    }
    return Error("the import directory has no end");
}

// The system and subsystem versions, which old loaders check; false when the
// optional header is too short for them.
bool readVersions(const rt::ByteReader& optional, PeImage& image) {
    const auto osMajor = optional.u16At(0x28);
    const auto osMinor = optional.u16At(0x2A);
    const auto subsystemMajor = optional.u16At(0x30);
    const auto subsystemMinor = optional.u16At(0x32);
    const auto subsystem = optional.u16At(0x44);
    if (!osMajor || !osMinor || !subsystemMajor || !subsystemMinor || !subsystem) {
        return false;
    }
    image.osMajor = *osMajor;
    image.osMinor = *osMinor;
    image.subsystemMajor = *subsystemMajor;
    image.subsystemMinor = *subsystemMinor;
    image.subsystem = *subsystem;
    return true;
}

// The imports of both directories, the plain one and the delay-loaded one,
// each where the image has it.
rt::Result<void, Error> readImportDirectories(const rt::ByteReader& optional, std::size_t countField,
                                              std::uint32_t directories, const Layout& layout,
                                              std::vector<Import>& imports) {
    for (const auto& [index, delayed] :
         {std::pair{kImportDirectory, false}, std::pair{kDelayImportDirectory, true}}) {
        if (index >= directories) {
            continue;
        }
        const auto rva = optional.u32At(countField + 4 + index * 8);
        if (!rva) {
            return Error("the optional header is too short for its data directories");
        }
        if (*rva == 0) {
            continue;
        }
        if (auto read = readDescriptors(layout, *rva, delayed, imports); !read) {
            return read.error();
        }
    }
    return {};
}

}  // namespace

rt::Result<PeImage, std::string> readPeImage(std::span<const std::byte> file) {
    const rt::ByteReader whole(file);
    const auto mz = rt::version::parseMzHeader(file.first(std::min(file.size(), rt::version::kMzHeaderSize)));
    if (!mz) {
        return mz.error().reason;
    }
    const auto pe = whole.slice(*mz, file.size() - std::min<std::size_t>(*mz, file.size()));
    if (!pe || pe->u32At(0) != 0x00004550u) {
        return std::string("no PE signature where the MZ header points");
    }
    const auto length =
        rt::version::peHeadersLength(pe->bytes().first(std::min(pe->size(), rt::version::kPeFileHeaderSize)));
    if (!length) {
        return length.error().reason;
    }
    const auto headers = pe->slice(0, *length);
    if (!headers) {
        return std::string("the PE headers are cut short");
    }
    const std::size_t optionalSize = rt::checkedRead(headers->u16At(0x14));
    const auto optional = rt::checkedRead(headers->slice(rt::version::kPeFileHeaderSize, optionalSize));
    PeImage image;
    image.machine = rt::checkedRead(headers->u16At(4));
    const auto magic = optional.u16At(0);
    if (!magic || (*magic != kPe32Magic && *magic != kPe32PlusMagic)) {
        return std::string("the optional header is neither PE32 nor PE32+");
    }
    image.isPe32Plus = *magic == kPe32PlusMagic;
    const std::size_t countField = image.isPe32Plus ? 0x6C : 0x5C;
    const auto directories = optional.u32At(countField);
    if (!readVersions(optional, image) || !directories) {
        return std::string("the optional header is too short for its versions");
    }

    Layout layout{file, {}};
    layout.headers.is64 = image.isPe32Plus;
    const std::size_t sections = rt::checkedRead(headers->u16At(6));
    auto table = rt::checkedRead(headers->slice(rt::version::kPeFileHeaderSize + optionalSize,
                                                sections * rt::version::kPeSectionSize));
    for (std::size_t i = 0; i < sections; ++i) {
        rt::version::PeSection section;
        (void)table.skip(12);  // name and VirtualSize
        section.virtualAddress = rt::checkedRead(table.readU32());
        section.sizeOfRawData = rt::checkedRead(table.readU32());
        section.pointerToRawData = rt::checkedRead(table.readU32());
        (void)table.skip(16);
        layout.headers.sections.push_back(section);
    }
    if (auto read = readImportDirectories(optional, countField, *directories, layout, image.imports); !read) {
        return read.error();
    }
    return image;
}

}  // namespace keldwick::imports
