#include "VersionLocator.h"

#include "LeResources.h"
#include "NeResources.h"
#include "PeResources.h"
#include "platform/base/ByteReader.h"

namespace rt::version {

Result<LocatedBlock, Error> locateVersionBlock(ByteSource& source) {
    const auto header = readNewHeader(source);
    if (!header) {
        return header.error();
    }
    auto location = [&]() -> Result<BlockLocation, Error> {
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

Result<VersionInfo, Error> readVersionInfo(ByteSource& source) {
    auto located = locateVersionBlock(source);
    if (!located) {
        return located.error();
    }
    auto raw = readRange(source, located->location.offset, located->location.length, "the version block");
    if (!raw) {
        return raw.error();
    }
    // A block cut short, by the file's end or by its container, would give
    // the text up to the cut, which may read as a whole version.
    if (const auto declared = rt::ByteReader(*raw).u16At(0); declared && *declared > raw->size()) {
        return fail(Failure::Truncated, "the version block at " + hex(located->location.offset) +
                                            " declares " + std::to_string(*declared) + " bytes, but only " +
                                            std::to_string(raw->size()) + " are there");
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

}  // namespace rt::version
