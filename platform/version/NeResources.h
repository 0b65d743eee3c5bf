#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "BlockLocation.h"
#include "ByteSource.h"

namespace rt::version {

inline constexpr std::size_t kNeHeaderSize = 0x40;

// Where the NE resource table lies, relative to the NE header: it ends where
// the resident-name table begins.
struct NeTableBounds {
    std::uint16_t resourceTable = 0;
    std::uint16_t residentNames = 0;
};

Result<NeTableBounds, Error> parseNeHeader(std::span<const std::byte> header);

struct NeResource {
    std::uint64_t offset = 0;  // rnOffset << shift, from the start of the file
    std::uint64_t length = 0;  // rnLength << shift: rounded up to the alignment unit
    std::uint16_t shift = 0;
};

// Finds the version resource (type 0x8010, ID 0x8001) in a resource table;
// every walk is bounded by the table bytes given.
Result<NeResource, Error> findNeVersionResource(std::span<const std::byte> table);

Result<BlockLocation, Error> findNeVersionBlock(ByteSource& source, std::uint32_t neOffset);

}  // namespace rt::version
