#include <windows.h>

#include <string>
#include <vector>

#include "Win32Errors.h"
#include "platform/base/Paths.h"
#include "platform/system/SystemServices.h"

namespace rt {

namespace {

// Asks a directory service for its whole answer: where the buffer is too
// small, the service names the size it needs, and is asked again with that.
// The current directory can change in between, so a few rounds are allowed;
// a failure is no directory.
template <typename Query>
std::string askForDirectory(Query query) {
    constexpr int kRounds = 4;
    std::vector<char> buffer(kMaxPath);
    for (int round = 0; round < kRounds; ++round) {
        const UINT length = query(buffer.data(), static_cast<UINT>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            return std::string(buffer.data(), length);
        }
        buffer.resize(length);
    }
    return {};
}

thread_local DWORD t_versionReadFailure = 0;

// The errors with which the version services could not read a file at all,
// as opposed to finding no version information in it.
bool isReadFailure(DWORD error) {
    switch (error) {
        case ERROR_TOO_MANY_OPEN_FILES:
        case ERROR_ACCESS_DENIED:
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
        case ERROR_NOT_READY:
        case ERROR_CRC:
        case ERROR_READ_FAULT:
        case ERROR_GEN_FAILURE:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_UNEXP_NET_ERR:
        case ERROR_NETNAME_DELETED:
        case ERROR_NO_SYSTEM_RESOURCES:
            return true;
        default:
            return false;
    }
}

// Keeps why a version call that failed could not read its file.
template <typename T>
T keepingReadFailure(T answer) {
    const DWORD error = answer == 0 ? ::GetLastError() : 0;
    t_versionReadFailure = isReadFailure(error) ? error : 0;
    return answer;
}

// The machine's own KERNEL32 and VERSION services. The os:: layer has already
// checked the arguments that it can check.
class Win32SystemServices final : public SystemServices {
  public:
    os::BOOL getVersion(os::OSVERSIONINFOA& info) override {
        static_assert(sizeof(OSVERSIONINFOA) == sizeof(os::OSVERSIONINFOA));
        OSVERSIONINFOA native{};
        native.dwOSVersionInfoSize = sizeof native;
        // Newer systems may report an older version to programs without a
        // manifest; the platform id, all that the check needs, stays true.
        const BOOL done = ::GetVersionExA(&native);
        if (done == 0) {
            return 0;
        }
        info.dwMajorVersion = native.dwMajorVersion;
        info.dwMinorVersion = native.dwMinorVersion;
        info.dwBuildNumber = native.dwBuildNumber;
        info.dwPlatformId = native.dwPlatformId;
        static_assert(sizeof info.szCSDVersion == sizeof native.szCSDVersion);
        for (std::size_t i = 0; i < sizeof info.szCSDVersion; ++i) {
            info.szCSDVersion[i] = native.szCSDVersion[i];
        }
        return 1;
    }

    os::DWORD fileVersionInfoSize(const char* fileName, os::DWORD* handle) override {
        DWORD native = 0;
        ::SetLastError(0);
        const DWORD size = keepingReadFailure(::GetFileVersionInfoSizeA(fileName, &native));
        if (handle != nullptr) {
            *handle = native;
        }
        return size;
    }

    os::BOOL fileVersionInfo(const char* fileName, os::DWORD handle, os::DWORD length, void* data) override {
        ::SetLastError(0);
        return keepingReadFailure(::GetFileVersionInfoA(fileName, handle, length, data));
    }

    os::BOOL queryVersionValue(const void* block, const char* subBlock, void** buffer,
                               os::UINT* length) override {
        UINT native = 0;
        const BOOL found = ::VerQueryValueA(block, subBlock, buffer, &native);
        *length = native;
        return found;
    }

    std::error_code versionReadFailure() override {
        return t_versionReadFailure == 0 ? std::error_code{} : win32Error(t_versionReadFailure);
    }

  protected:
    std::string askCurrentDirectory() override {
        return askForDirectory(
            [](char* buffer, UINT size) { return static_cast<UINT>(::GetCurrentDirectoryA(size, buffer)); });
    }
    std::string askSystemDirectory() override { return askForDirectory(::GetSystemDirectoryA); }
    std::string askWindowsDirectory() override { return askForDirectory(::GetWindowsDirectoryA); }
};

}  // namespace

std::unique_ptr<SystemServices> makeNativeSystemServices() {
    return std::make_unique<Win32SystemServices>();
}

}  // namespace rt
