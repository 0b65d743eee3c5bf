#include "WinApi.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "SystemServices.h"

namespace rt::os {

namespace {

UINT copyDirectory(const std::string& directory, char* buffer, UINT size) {
    if (directory.empty()) {
        return 0;
    }
    if (buffer == nullptr || directory.size() >= size) {
        return static_cast<UINT>(directory.size() + 1);
    }
    std::memcpy(buffer, directory.c_str(), directory.size() + 1);
    return static_cast<UINT>(directory.size());
}

}  // namespace

BOOL GetVersionExA(OSVERSIONINFOA* info) {
    if (info == nullptr || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA)) {
        return 0;
    }
    return rt::systemServices().getVersion(*info);
}

UINT GetSystemDirectoryA(char* buffer, UINT size) {
    return copyDirectory(rt::systemServices().systemDirectory(), buffer, size);
}

UINT GetWindowsDirectoryA(char* buffer, UINT size) {
    return copyDirectory(rt::systemServices().windowsDirectory(), buffer, size);
}

DWORD GetFileVersionInfoSizeA(const char* fileName, DWORD* handle) {
    if (fileName == nullptr) {
        return 0;
    }
    return rt::systemServices().fileVersionInfoSize(fileName, handle);
}

BOOL GetFileVersionInfoA(const char* fileName, DWORD handle, DWORD length, void* data) {
    if (fileName == nullptr || data == nullptr || length == 0) {
        return 0;
    }
    return rt::systemServices().fileVersionInfo(fileName, handle, length, data);
}

BOOL VerQueryValueA(const void* block, const char* subBlock, void** buffer, UINT* length) {
    if (block == nullptr || buffer == nullptr || length == nullptr) {
        return 0;
    }
    return rt::systemServices().queryVersionValue(block, subBlock, buffer, length);
}

}  // namespace rt::os
