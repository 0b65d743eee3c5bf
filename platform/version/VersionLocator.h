#pragma once

#include <cstddef>
#include <vector>

#include "BlockLocation.h"
#include "ByteSource.h"
#include "MzHeader.h"
#include "VersionBlock.h"

namespace rt::version {

struct LocatedBlock {
    ExecutableFormat format = ExecutableFormat::Pe;
    std::uint32_t newHeaderOffset = 0;
    BlockLocation location;
};

// Finds the version block through the MZ header and the PE, NE or LE resources.
Result<LocatedBlock, Error> locateVersionBlock(ByteSource& source);

// Everything the services and the dump tool need from one file.
struct VersionInfo {
    LocatedBlock located;
    VersionTree tree;
    // The block as the A services hand it out: the 16-bit layout, well formed
    // (see encodeAnsiBlock), at most 0xFFFF bytes.
    std::vector<std::byte> block;
};

// A block that the file does not hold whole is Truncated: no version at all,
// never the text up to the cut.
Result<VersionInfo, Error> readVersionInfo(ByteSource& source);

}  // namespace rt::version
