#pragma once

#include <cstdint>
#include <string>

namespace rt::version {

// A version block's 16-bit length field bounds it, so no reader ever needs more.
inline constexpr std::uint32_t kMaxBlockLength = 0xFFFF;

// Where a locator found the version block: its file offset and the bytes
// available for it there (what the container declares, cut to the file's end,
// to the enclosing section and to kMaxBlockLength). The block's own root
// length decides how much of it is used; a root length beyond these bytes
// means the block is not whole, and it is refused.
struct BlockLocation {
    std::uint64_t offset = 0;
    std::uint32_t length = 0;
    // How the locator got there, for the dump tool ("language 0x0409, data RVA 0x5060 in .rsrc").
    std::string details;
};

}  // namespace rt::version
