#include "BlockNode.h"

#include <algorithm>

#include "platform/base/ByteReader.h"

namespace rt::version {

std::string_view layoutName(BlockLayout layout) {
    return layout == BlockLayout::Ansi16 ? "16-bit ANSI" : "32-bit Unicode";
}

std::optional<BlockLayout> detectLayout(std::span<const std::byte> block) {
    const auto marker = rt::ByteReader(block).u8At(4);
    if (!marker) {
        return std::nullopt;
    }
    return *marker >= 0x20 ? BlockLayout::Ansi16 : BlockLayout::Unicode32;
}

std::size_t nodeHeaderSize(BlockLayout layout) {
    return layout == BlockLayout::Ansi16 ? 4 : 6;
}

std::optional<NodeView> viewNode(std::span<const std::byte> block, std::size_t start, std::size_t parentEnd,
                                 BlockLayout layout) {
    parentEnd = std::min(parentEnd, block.size());
    if (start >= parentEnd) {
        return std::nullopt;
    }
    const rt::ByteReader reader(block);
    const auto declared = reader.u16At(start);
    if (!declared) {
        return std::nullopt;
    }
    NodeView node;
    node.start = start;
    node.declaredLength = *declared;
    node.end = start + std::min<std::size_t>(*declared, parentEnd - start);
    const auto header = nodeHeaderSize(layout);
    if (node.end - start < header) {
        return std::nullopt;
    }
    node.valueLength = rt::checkedRead(reader.u16At(start + 2));
    node.type = layout == BlockLayout::Ansi16 ? 1 : rt::checkedRead(reader.u16At(start + 4));
    node.keyStart = start + header;

    // The key's terminator must lie inside the node; a key that runs on would
    // be compared with whatever follows it, so the node is treated as unnamed.
    const auto unit = layout == BlockLayout::Ansi16 ? std::size_t{1} : std::size_t{2};
    std::size_t terminator = node.keyStart;
    while (true) {
        if (node.end - terminator < unit) {
            return std::nullopt;
        }
        const bool isNul = unit == 1 ? reader.u8At(terminator) == 0 : reader.u16At(terminator) == 0;
        if (isNul) {
            break;
        }
        terminator += unit;
    }
    node.keyEnd = terminator;
    node.valueStart = align4(terminator + unit);
    // A 32-bit text value's length counts UTF-16 units. Only nodes with
    // children need this position, and their values are binary or empty.
    const auto valueBytes = layout == BlockLayout::Unicode32 && node.type == 1
                                ? std::size_t{node.valueLength} * 2
                                : node.valueLength;
    node.childrenStart = node.valueStart + align4(valueBytes);
    return node;
}

}  // namespace rt::version
