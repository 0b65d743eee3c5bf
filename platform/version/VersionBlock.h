#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "BlockNode.h"
#include "VersionError.h"

namespace rt::version {

enum class ValueKind {
    None,    // wValueLength 0: no value, which a query answers as empty
    Text,    // a string, held as CP1252 without its NUL
    Binary,  // raw bytes (the fixed file info, Translation)
};

// One node of a parsed block. Parsed trees own their data, so they outlive
// the bytes they came from.
struct VersionNode {
    std::size_t offset = 0;  // where the node starts in its block
    std::string key;         // CP1252
    ValueKind kind = ValueKind::None;
    std::string text;
    std::vector<std::byte> binary;
    std::vector<VersionNode> children;
};

struct VersionTree {
    BlockLayout layout = BlockLayout::Ansi16;
    std::uint16_t declaredLength = 0;  // the root's wLength
    std::size_t usedLength = 0;        // what was walked: wLength cut to the bytes given
    VersionNode root;
    // What was repaired or skipped on the way, in the reader's words; the dump tool prints them.
    std::vector<std::string> notes;
};

// Nesting below this is dropped: the product's query goes three levels deep,
// and the cap bounds recursion on hostile input.
inline constexpr int kMaxBlockDepth = 8;
inline constexpr std::string_view kRootKey = "VS_VERSION_INFO";

// Parses either layout with the rules the query applies: children are looked
// up in file order; a child of length 0 ends its parent's list; a child that
// claims more than its parent holds is cut to the parent's end; a node whose
// key has no terminator inside it is skipped. Strings (the children of a
// StringFileInfo table) are read up to their NUL, never past their node, and
// never located by wValueLength; 32-bit strings are converted to CP1252.
Result<VersionTree, Error> parseVersionBlock(std::span<const std::byte> block);

// Writes a tree in the 16-bit layout, the one the A services hand out, as the
// Windows 95 family converted 32-bit blocks. Every string gets its NUL inside
// its node and a wValueLength that counts it; lengths are recomputed, so the
// result is well formed whatever the source was. Fails past 0xFFFF bytes.
Result<std::vector<std::byte>, Error> encodeAnsiBlock(const VersionNode& root);

}  // namespace rt::version
