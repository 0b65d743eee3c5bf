#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "BlockLocation.h"
#include "ByteSource.h"

namespace rt::version {

struct PeSection {
    std::string name;
    std::uint32_t virtualAddress = 0;
    std::uint32_t sizeOfRawData = 0;
    std::uint32_t pointerToRawData = 0;
};

struct PeHeaders {
    bool is64 = false;
    std::uint32_t resourceRva = 0;
    std::uint32_t resourceSize = 0;
    std::vector<PeSection> sections;
};

// The COFF file header is 0x18 bytes from the signature; the optional header
// and the section table follow and are sized by fields in it.
inline constexpr std::size_t kPeFileHeaderSize = 0x18;
inline constexpr std::size_t kPeSectionSize = 40;
// Windows itself loads at most 96 sections on older systems and 65535 on newer
// ones; no real file needs more than this, and it bounds the bytes read.
inline constexpr std::uint32_t kMaxPeSections = 2048;

// Parses the signature, file header, optional header and section table, all
// of which `headers` must hold (peHeadersLength tells how many bytes that is).
Result<PeHeaders, Error> parsePeHeaders(std::span<const std::byte> headers);
// The bytes needed by parsePeHeaders, from the first 0x18 of them.
Result<std::size_t, Error> peHeadersLength(std::span<const std::byte> fileHeader);

struct MappedRva {
    std::uint64_t offset = 0;     // file offset
    std::uint64_t available = 0;  // bytes of the section's raw data from there on
    const PeSection* section = nullptr;
};

// The first section whose raw data holds the RVA, as Windows' own file-based
// lookup does; the zero-filled tail beyond a section's raw data maps nowhere.
std::optional<MappedRva> mapRva(const PeHeaders& headers, std::uint32_t rva);

// Resource tree levels: type, name, language. Version information is type 16
// (RT_VERSION), name 1 (VS_VERSION_INFO); other names are never looked at.
inline constexpr std::uint16_t kRtVersion = 16;
inline constexpr std::uint16_t kVersionInfoId = 1;

// Follows the resource tree of the PE whose signature is at `peOffset` to the
// data of one resource named by integer IDs, in the language a U.S. English
// system would choose. The location is cut to the file and the section.
Result<BlockLocation, Error> findPeResource(ByteSource& source, std::uint32_t peOffset, std::uint16_t typeId,
                                            std::uint16_t nameId);
// The version resource, cut to the longest block there can be.
Result<BlockLocation, Error> findPeVersionBlock(ByteSource& source, std::uint32_t peOffset);

}  // namespace rt::version
