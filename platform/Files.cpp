#include "Files.h"

#include "FileSystem.h"
#include "SystemServices.h"

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

int _remove(const char* path) {
    if (path == nullptr) {
        return -1;
    }
    return fileSystem().removeFile(path) ? -1 : 0;
}

}  // namespace rt
