#include "FolderTreeSearch.h"

#include "platform/base/Paths.h"

namespace rt {

std::string joinedPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    // "C:" names the current folder of drive C, which a separator would change.
    if (!path.empty() && !endsWithSeparator(path) && !(kPathSeparator == '\\' && path.back() == ':')) {
        path += kPathSeparator;
    }
    path += name;
    return path;
}

}  // namespace rt
