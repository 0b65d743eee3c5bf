#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "BlockLocation.h"
#include "ByteSource.h"

namespace rt::version {

// The LE header of a Windows 95 VxD is 0xC4 bytes. Its Windows resource
// fields sit at +0xB8 (file offset) and +0xBC (length); +0xC0 holds the
// device ID and DDK version, which some descriptions misread as the offset.
inline constexpr std::size_t kLeHeaderSize = 0xC4;
inline constexpr std::size_t kLeResourceOffsetField = 0xB8;
inline constexpr std::size_t kLeResourceLengthField = 0xBC;

struct LeResourceBlob {
    std::uint32_t offset = 0;  // absolute file offset, not relative to the LE header
    std::uint32_t length = 0;  // header and data together
};

Result<LeResourceBlob, Error> parseLeHeader(std::span<const std::byte> header);

// The 16-bit .RES record header in front of the block: type and name, each
// either 0xFF and a 16-bit ordinal or a NUL-terminated string, then flags and
// the data size. The Windows 95 DDK writes FF 10 00 FF 01 00 flags size.
struct LeResourceHeader {
    std::size_t headerLength = 0;
    std::uint32_t dataSize = 0;
};

Result<LeResourceHeader, Error> parseLeResourceHeader(std::span<const std::byte> blob);

Result<BlockLocation, Error> findLeVersionBlock(ByteSource& source, std::uint32_t leOffset);

}  // namespace rt::version
