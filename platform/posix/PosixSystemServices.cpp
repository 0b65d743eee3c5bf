#include <sys/utsname.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "../version/VersionServices.h"
#include "platform/base/Paths.h"
#include "platform/filesystem/FileSystem.h"
#include "platform/system/Files.h"
#include "platform/system/SystemServices.h"

namespace rt {

namespace {

// Linux has no system or Windows directory of its own; the conventional Wine
// prefix stands in for them, so a driver installed there is found.
std::string winePrefix() {
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix != nullptr && *prefix != '\0') {
        return prefix;
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return std::string(home) + "/.wine";
    }
    return {};
}

// Wine makes these folders in lower case, but a prefix copied from a Windows
// disk may spell them "Windows" or "SYSTEM32", which Windows would accept. A
// folder that is in none of the spellings keeps the conventional one.
std::string underWinePrefix(std::initializer_list<std::string_view> folders) {
    auto path = winePrefix();
    if (path.empty()) {
        return path;
    }
    bool found = true;
    for (const auto folder : folders) {
        path += kPathSeparator;
        path += folder;
        // Below a folder that is not there, no spelling can be.
        if (found && !fileSystem().exists(path.c_str())) {
            auto other = pathInOtherCase(path);
            found = !other.empty();
            if (found) {
                path = std::move(other);
            }
        }
    }
    return path;
}

os::DWORD leadingNumber(const char*& text) {
    os::DWORD value = 0;
    while (*text >= '0' && *text <= '9') {
        value = value * 10 + static_cast<os::DWORD>(*text - '0');
        ++text;
    }
    if (*text == '.') {
        ++text;
    }
    return value;
}

class PosixSystemServices final : public SystemServices {
  public:
    // This machine is not of the Windows 95 family; it answers as an NT-family
    // system would, with the kernel's release as its version.
    os::BOOL getVersion(os::OSVERSIONINFOA& info) override {
        struct utsname name {};
        if (::uname(&name) != 0) {
            return 0;
        }
        const char* release = name.release;
        info.dwMajorVersion = leadingNumber(release);
        info.dwMinorVersion = leadingNumber(release);
        info.dwBuildNumber = leadingNumber(release);
        info.dwPlatformId = os::kPlatformWindowsNt;
        std::strncpy(info.szCSDVersion, name.sysname, sizeof info.szCSDVersion - 1);
        return 1;
    }

    os::DWORD fileVersionInfoSize(const char* fileName, os::DWORD* handle) override {
        return version::fileVersionInfoSize(fileName, handle);
    }
    os::BOOL fileVersionInfo(const char* fileName, os::DWORD handle, os::DWORD length, void* data) override {
        return version::fileVersionInfo(fileName, handle, length, data);
    }
    os::BOOL queryVersionValue(const void* block, const char* subBlock, void** buffer,
                               os::UINT* length) override {
        return version::queryVersionValue(block, subBlock, buffer, length);
    }
    std::error_code versionReadFailure() override { return version::lastReadFailure(); }

  protected:
    // The buffer grows until the directory fits whole, however long it is.
    std::string askCurrentDirectory() override {
        std::vector<char> buffer(kMaxPath);
        while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
            if (errno != ERANGE) {
                return {};
            }
            buffer.resize(buffer.size() * 2);
        }
        return buffer[0] == '/' ? std::string(buffer.data()) : std::string();
    }

    std::string askSystemDirectory() override { return underWinePrefix({"drive_c", "windows", "system32"}); }
    std::string askWindowsDirectory() override { return underWinePrefix({"drive_c", "windows"}); }
};

}  // namespace

std::unique_ptr<SystemServices> makeNativeSystemServices() {
    return std::make_unique<PosixSystemServices>();
}

}  // namespace rt
