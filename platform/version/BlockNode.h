#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace rt::version {

// The two layouts of a version block: 16-bit (NE and LE files, and what the A
// services hand out) with ANSI keys and no type field, and 32-bit (PE files)
// with UTF-16 keys and a type word.
enum class BlockLayout { Ansi16, Unicode32 };

std::string_view layoutName(BlockLayout layout);

// Byte 4 is the first key character in a 16-bit block ('V' of VS_VERSION_INFO)
// and the low byte of the type word (0 or 1) in a 32-bit one.
std::optional<BlockLayout> detectLayout(std::span<const std::byte> block);

// wLength and wValueLength, plus wType in the 32-bit layout.
std::size_t nodeHeaderSize(BlockLayout layout);

// One node, seen in place. All positions are offsets from the start of the
// block, and padding is relative to it too: the block itself may start at
// any file offset.
struct NodeView {
    std::size_t start = 0;
    std::size_t end = 0;  // start + wLength, cut to the parent's end
    std::uint16_t declaredLength = 0;
    std::uint16_t valueLength = 0;  // wValueLength as stored; its unit depends on layout and type
    std::uint16_t type = 0;         // wType: 1 text, 0 binary; 1 in the 16-bit layout
    std::size_t keyStart = 0;
    std::size_t keyEnd = 0;  // the key's terminating NUL (byte or unit), always before `end`
    std::size_t valueStart = 0;
    std::size_t childrenStart = 0;

    bool isCut() const { return end - start < declaredLength; }
    // Where the next sibling starts; a node of length 0 has none.
    std::size_t nextSibling() const { return start + ((std::size_t{declaredLength} + 3) & ~std::size_t{3}); }
};

// Reads the node at `start`, which must lie before `parentEnd`. Nothing when
// its header or its key's terminator is not inside it: such a node matches no key.
std::optional<NodeView> viewNode(std::span<const std::byte> block, std::size_t start, std::size_t parentEnd,
                                 BlockLayout layout);

constexpr std::size_t align4(std::size_t offset) {
    return (offset + 3) & ~std::size_t{3};
}

}  // namespace rt::version
