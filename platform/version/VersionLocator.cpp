#include "VersionLocator.h"

#include "LeResources.h"
#include "NeResources.h"
#include "PeResources.h"

namespace version {

Result<LocatedBlock> locateVersionBlock(ByteSource& source) {
    const auto header = readNewHeader(source);
    if (!header) {
        return header.error();
    }
    auto location = [&]() -> Result<BlockLocation> {
        switch (header->format) {
            case ExecutableFormat::Pe:
                return findPeVersionBlock(source, header->offset);
            case ExecutableFormat::Ne:
                return findNeVersionBlock(source, header->offset);
            case ExecutableFormat::Le:
                return findLeVersionBlock(source, header->offset);
        }
        return fail(Failure::Unsupported, "unknown executable format");
    }();
    if (!location) {
        return location.error();
    }
    return LocatedBlock{header->format, header->offset, std::move(*location)};
}

Result<VersionInfo> readVersionInfo(ByteSource& source) {
    auto located = locateVersionBlock(source);
    if (!located) {
        return located.error();
    }
    auto raw = readRange(source, located->location.offset, located->location.length, "the version block");
    if (!raw) {
        return raw.error();
    }
    auto tree = parseVersionBlock(*raw);
    if (!tree) {
        return tree.error();
    }
    auto block = encodeAnsiBlock(tree->root);
    if (!block) {
        return block.error();
    }
    return VersionInfo{std::move(*located), std::move(*tree), std::move(*block)};
}

}  // namespace version
