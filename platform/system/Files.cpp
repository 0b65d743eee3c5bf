#include "Files.h"

#include <algorithm>
#include <vector>

#include "SystemServices.h"
#include "platform/base/Paths.h"
#include "platform/filesystem/FileSystem.h"

namespace rt {

std::string currentDirectory() {
    return systemServices().currentDirectory();
}

int _access(const char* path, int mode) {
    if (path == nullptr || mode != 0) {
        return -1;
    }
    return fileSystem().exists(path) ? 0 : -1;
}

std::error_code versionReadFailure() {
    return systemServices().versionReadFailure();
}

int _remove(const char* path) {
    if (path == nullptr) {
        return -1;
    }
    return fileSystem().removeFile(path) ? 0 : -1;
}

std::string pathInOtherCase(const std::string& path) {
    const auto parts = splitPath(path);
    if (parts.name.empty()) {
        return {};
    }
    const std::string folder = folderOf(parts);
    auto found = fileSystem().namesIgnoringCase(folder.c_str(), parts.name);
    if (!found) {
        return {};
    }
    auto names = std::move(found).value();
    std::sort(names.begin(), names.end());
    for (const auto& name : names) {
        // A dangling link does not count, as the existence test would not count it.
        auto candidate = std::string(parts.folderPrefix) + name;
        if (name != parts.name && fileSystem().exists(candidate.c_str())) {
            return candidate;
        }
    }
    return {};
}

}  // namespace rt
