#include "Win32FolderMutex.h"

#include <cstdint>
#include <vector>

#include "Handles.h"
#include "Win32Errors.h"
#include "platform/base/AsciiCase.h"
#include "platform/base/HexText.h"
#include "platform/base/Paths.h"

namespace rt {

namespace {

constexpr std::uint64_t kFnvOffset = 0xCBF29CE484222325ull;
constexpr std::uint64_t kFnvPrime = 0x100000001B3ull;

char folded(char c) {
    if (c == '/') {
        return '\\';
    }
    return toAsciiUpper(c);
}

std::string fullPathOf(const char* folder) {
    std::vector<char> buffer(kMaxPath);
    const DWORD length =
        ::GetFullPathNameA(folder, static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (length == 0 || length >= buffer.size()) {
        return folder;
    }
    return std::string(buffer.data(), length);
}

win32::KernelHandle openMutex(const std::string& name) {
    // The global namespace also holds off runs in other sessions (another
    // user on the same machine); where it is refused, the session's own will
    // do. Systems without namespaces (the 95 family, NT 4.0) refuse any name
    // with a backslash, and have one namespace for all: the bare name.
    HANDLE mutex = ::CreateMutexA(nullptr, FALSE, ("Global\\" + name).c_str());
    if (mutex == nullptr) {
        mutex = ::CreateMutexA(nullptr, FALSE, ("Local\\" + name).c_str());
    }
    if (mutex == nullptr) {
        mutex = ::CreateMutexA(nullptr, FALSE, name.c_str());
    }
    return win32::KernelHandle(mutex);
}

}  // namespace

std::string folderMutexName(std::string_view fullPath) {
    while (fullPath.size() > 1 && (fullPath.back() == '\\' || fullPath.back() == '/')) {
        fullPath.remove_suffix(1);
    }
    std::uint64_t hash = kFnvOffset;
    for (const char c : fullPath) {
        hash ^= static_cast<unsigned char>(folded(c));
        hash *= kFnvPrime;
    }
    std::string name = "keldwick-report-folder-";
    name += hexText(hash, 16, false);
    return name;
}

rt::Result<HANDLE, std::error_code> tryLockFolderMutex(const char* folder) {
    auto mutex = openMutex(folderMutexName(fullPathOf(folder)));
    if (!mutex) {
        return lastWin32Error();
    }
    switch (::WaitForSingleObject(mutex.get(), 0)) {
        case WAIT_OBJECT_0:
        case WAIT_ABANDONED:
            return mutex.release();
        case WAIT_TIMEOUT:
            return std::make_error_code(std::errc::resource_unavailable_try_again);
        default:
            // Asked before the handle goes, which may change the thread's last error.
            return lastWin32Error();
    }
}

void unlockFolderMutex(HANDLE mutex) {
    ::ReleaseMutex(mutex);
    ::CloseHandle(mutex);
}

}  // namespace rt
