#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace rt {

// What stands under a name that a search found.
enum class FoundKind { RegularFile, Folder, Link, Other, Unknown };

struct FoundName {
    std::string folder;  // the folder that holds it, as reached from the root given
    std::string name;    // spelled as it is stored
    FoundKind kind = FoundKind::Unknown;
    std::optional<std::int64_t> modified;  // last write, seconds since 1970-01-01 UTC
    std::error_code error;                 // why its kind or time is unknown
};

// A folder whose entries could not be listed, or not all of them.
struct UnreadableFolder {
    std::string path;
    std::error_code error;
    bool partly = false;  // some entries were listed before the failure
};

struct FolderTreeSearch {
    std::vector<FoundName> found;
    std::vector<UnreadableFolder> unreadable;
};

// Every entry named `name`, without regard to ASCII letter case, in the given
// folders and in all folders below them, at any depth. A root given as a link
// is followed; links below it (and reparse points on Windows) never are, so
// that a search cannot leave the tree nor run in a loop, and a folder reached
// twice (roots that overlap, a folder mounted inside itself) is searched once
// where the system tells folders apart. A folder that cannot be listed is
// named with its reason, never passed over. Found in no set order.
FolderTreeSearch searchFolderTrees(std::span<const std::string> roots, std::string_view name);

// `folder` and `name` joined by the platform's separator, which is not doubled.
std::string joinedPath(std::string_view folder, std::string_view name);

}  // namespace rt
