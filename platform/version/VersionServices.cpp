#include "VersionServices.h"

namespace version {

// Placeholder until the resource reader lands: no file has version information.
os::DWORD fileVersionInfoSize(const char*, os::DWORD* handle) {
    if (handle != nullptr) {
        *handle = 0;
    }
    return 0;
}

os::BOOL fileVersionInfo(const char*, os::DWORD, os::DWORD, void*) {
    return 0;
}

os::BOOL queryVersionValue(const void*, const char*, void**, os::UINT* length) {
    *length = 0;
    return 0;
}

}  // namespace version
