#pragma once

#include <string>
#include <string_view>

#include "platform/version/ByteSource.h"

namespace keldwick::dump {

// What the reader sees in a file, as text: the format, where the block lies,
// what was repaired on the way, the tree with its string tables and entries,
// and the answer to `query` on the block the services hand out; or the exact
// reason the file was rejected. `ok` tells which.
struct DumpResult {
    bool ok = false;
    std::string text;
};

inline constexpr std::string_view kProductQuery = "\\StringFileInfo\\040904E4\\FileVersion";

DumpResult dumpVersionInfo(rt::version::ByteSource& source, std::string_view query = kProductQuery);

}  // namespace keldwick::dump
