#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace rt::version {

// Where a query's value lies in the block, and the length to report.
struct QueryAnswer {
    std::size_t offset = 0;
    std::size_t length = 0;
};

// Answers a VerQueryValueA path on a 16-bit block, as the Windows 95 family
// does: the path is split on '\' and empty parts are skipped (so "" and "\"
// name the root); each part is matched whole and case-insensitively against
// the direct children, in file order, first match winning; a child of length
// 0 ends the search. The answer points into the block: at the value, with
// wValueLength as its length, or, when the node has no value (wValueLength
// 0, or no room after the key), at the key's terminating NUL with length 0.
//
// Unlike Windows, which trusts the block, nothing here reads outside `block`
// or past a node's end: a node is cut to its parent, and a string (a child of
// a StringFileInfo table) whose NUL is not inside its node is not found,
// where Windows would hand out a pointer to text that runs into the next
// node. Blocks made by this reader's services never contain such a string.
// 32-bit blocks are not answered: the services hand out 16-bit ones only.
std::optional<QueryAnswer> queryAnsiBlock(std::span<const std::byte> block, std::string_view path);

}  // namespace rt::version
