#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "../version/VersionServices.h"
#include "platform/base/Paths.h"
#include "platform/filesystem/FileSystem.h"
#include "platform/system/Files.h"
#include "platform/system/SystemServices.h"

namespace rt {

namespace {

constexpr std::string_view kDeepestFolder = "/drive_c/windows/system32";
constexpr std::size_t kShownValue = 120;

// The value as one line: control bytes as \xHH, a long one cut.
std::string shown(std::string_view value) {
    std::string out;
    for (const char c : value.substr(0, kShownValue)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return value.size() > kShownValue ? out + "..." : out;
}

// Why a WINEPREFIX value names no folder to look in; empty when it does. A
// relative one is refused, as Wine refuses it: the current folder is searched
// first anyway, and a prefix found from it would depend on where a login
// script happens to start.
std::string prefixFault(const std::string& prefix) {
    if (prefix.empty()) {
        return "is empty";
    }
    const auto control = std::find_if(prefix.begin(), prefix.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
    if (control != prefix.end()) {
        return "holds a control character";
    }
    if (prefix.front() != '/') {
        return "is not an absolute path";
    }
    if (prefix.size() + kDeepestFolder.size() >= kMaxPath) {
        return "is too long for the folders below it";
    }
    struct stat info {};
    if (::stat(prefix.c_str(), &info) != 0) {
        return std::string("names no folder: ") + std::strerror(errno);
    }
    if (!S_ISDIR(info.st_mode)) {
        return "names something that is not a folder";
    }
    return {};
}

// Said once for each value, however many checks ask.
void tellPrefixFault(const std::string& prefix, const std::string& fault) {
    static std::mutex mutex;
    static std::string said;
    std::lock_guard lock(mutex);
    if (said == prefix + '\0' + fault) {
        return;
    }
    said = prefix + '\0' + fault;
    const auto line = "keldwick: WINEPREFIX \"" + shown(prefix) + "\" " + fault +
                      "; the driver is looked for in the current folder only\n";
    std::fputs(line.c_str(), stderr);
}

// Linux has no system or Windows directory of its own; the conventional Wine
// prefix stands in for them, so a driver installed there is found. A
// WINEPREFIX that names no folder is said, and stands in for none.
std::string winePrefix() {
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix != nullptr) {
        std::string value(prefix);
        if (const auto fault = prefixFault(value); !fault.empty()) {
            tellPrefixFault(value, fault);
            return {};
        }
        return value;
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
