#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "ByteSource.h"

namespace rt::version {

enum class ExecutableFormat { Pe, Ne, Le };

std::string_view formatName(ExecutableFormat format);

inline constexpr std::size_t kMzHeaderSize = 0x40;
// Enough bytes at the new header to tell the formats apart ("PE\0\0", "NE", "LE" + byte orders).
inline constexpr std::size_t kSignatureSize = 4;

struct NewHeader {
    ExecutableFormat format;
    std::uint32_t offset;  // e_lfanew: file offset of the PE, NE or LE header
};

// The DOS header: "MZ" and e_lfanew. Needs the first 64 bytes of the file.
Result<std::uint32_t, Error> parseMzHeader(std::span<const std::byte> header);
// Tells the format from the bytes at e_lfanew; fewer than four bytes are
// accepted when the file ends there, and judged on what is present.
Result<ExecutableFormat, Error> identifyNewHeader(std::span<const std::byte> signature);

Result<NewHeader, Error> readNewHeader(ByteSource& source);

}  // namespace rt::version
