#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "../FileSystem.h"
#include "Win32Errors.h"
#include "Win32FolderMutex.h"
#include "Win32Platform.h"

namespace rt {

namespace {

HANDLE handleOf(NativeFile file) {
    return reinterpret_cast<HANDLE>(file);
}

NativeFile nativeOf(HANDLE handle) {
    return reinterpret_cast<NativeFile>(handle);
}

// Indexers and virus scanners open fresh files briefly; a replace that meets
// them is retried a few times before it counts as failed.
constexpr int kReplaceAttempts = 10;
constexpr DWORD kReplacePauseMilliseconds = 20;

bool isTransient(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

constexpr std::int64_t kFileTimeTicksPerSecond = 10'000'000;

std::int64_t secondsOf(const FILETIME& time) {
    const auto ticks = (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return static_cast<std::int64_t>(ticks / kFileTimeTicksPerSecond);
}

// MoveFileExA is looked up rather than imported: the 95 family exports it
// only as a stub, and a program that imports stubs does not pass for one
// that runs there. Null where the system has none.
using MoveFileExFunction = BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD);

MoveFileExFunction moveFileEx() {
    static const auto found = reinterpret_cast<MoveFileExFunction>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleA("KERNEL32.DLL"), "MoveFileExA")));
    return found;
}

bool isRegular(DWORD attributes) {
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) ==
           0;
}

class Win32FileSystem final : public FileSystem {
  public:
    // The 95 family refuses FILE_SHARE_DELETE; systems before Windows 2000
    // have no links to guard against, nor the flag that does.
    std::error_code openForReading(const char* path, Follow follow, NativeFile& out) override {
        const bool nt = !isWindows95Family();
        const DWORD flags =
            FILE_ATTRIBUTE_NORMAL |
            (follow == Follow::NoLinks && hasReparsePoints() ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
        const DWORD sharing = FILE_SHARE_READ | FILE_SHARE_WRITE | (nt ? FILE_SHARE_DELETE : 0);
        HANDLE file = ::CreateFileA(path, GENERIC_READ, sharing, nullptr, OPEN_EXISTING, flags, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return lastWin32Error();
        }
        if (follow == Follow::NoLinks) {
            BY_HANDLE_FILE_INFORMATION info{};
            if (::GetFileInformationByHandle(file, &info) != 0 &&
                (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
                ::CloseHandle(file);
                return std::make_error_code(std::errc::too_many_symbolic_link_levels);
            }
        }
        out = nativeOf(file);
        return {};
    }

    std::error_code status(NativeFile file, FileStatus& out) override {
        BY_HANDLE_FILE_INFORMATION info{};
        if (::GetFileInformationByHandle(handleOf(file), &info) == 0) {
            return lastWin32Error();
        }
        out.isRegular = isRegular(info.dwFileAttributes) && ::GetFileType(handleOf(file)) == FILE_TYPE_DISK;
        out.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
        out.links = info.nNumberOfLinks;
        return {};
    }

    // The 95 family takes no position with a read of a disk file (an
    // OVERLAPPED there fails the call), so it moves the file pointer first.
    std::error_code readAt(NativeFile file, std::uint64_t offset, std::span<std::byte> into,
                           std::size_t& got) override {
        got = 0;
        const bool positioned = !isWindows95Family();
        while (got < into.size()) {
            const auto at = offset + got;
            OVERLAPPED position{};
            position.Offset = static_cast<DWORD>(at & 0xFFFFFFFFu);
            position.OffsetHigh = static_cast<DWORD>(at >> 32);
            if (!positioned) {
                LONG high = static_cast<LONG>(position.OffsetHigh);
                if (::SetFilePointer(handleOf(file), static_cast<LONG>(position.Offset), &high, FILE_BEGIN) ==
                        INVALID_SET_FILE_POINTER &&
                    ::GetLastError() != NO_ERROR) {
                    return lastWin32Error();
                }
            }
            const auto wanted = static_cast<DWORD>(std::min<std::size_t>(into.size() - got, 1u << 30));
            DWORD n = 0;
            if (::ReadFile(handleOf(file), into.data() + got, wanted, &n, positioned ? &position : nullptr) ==
                0) {
                if (::GetLastError() == ERROR_HANDLE_EOF) {
                    break;
                }
                return lastWin32Error();
            }
            if (n == 0) {
                break;
            }
            got += n;
        }
        return {};
    }

    std::error_code createNew(const char* path, NativeFile& out) override {
        // CREATE_NEW refuses any existing name, a link included, so nothing is written through one.
        HANDLE file = ::CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return lastWin32Error();
        }
        out = nativeOf(file);
        return {};
    }

    // The name is looked at before it is opened, since opening follows a link
    // and the flag that would not is unknown to the Windows 95 family.
    std::error_code openForWriting(const char* path, NativeFile& out) override {
        const DWORD attributes = ::GetFileAttributesA(path);
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            return lastWin32Error();
        }
        if (!isRegular(attributes)) {
            return std::make_error_code(std::errc::operation_not_supported);
        }
        HANDLE file = ::CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return lastWin32Error();
        }
        out = nativeOf(file);
        return {};
    }

    std::error_code truncate(NativeFile file, std::uint64_t size) override {
        LONG high = static_cast<LONG>(size >> 32);
        const DWORD low =
            ::SetFilePointer(handleOf(file), static_cast<LONG>(size & 0xFFFFFFFFu), &high, FILE_BEGIN);
        if (low == INVALID_SET_FILE_POINTER && ::GetLastError() != NO_ERROR) {
            return lastWin32Error();
        }
        return ::SetEndOfFile(handleOf(file)) != 0 ? std::error_code{} : lastWin32Error();
    }

    std::error_code write(NativeFile file, std::span<const std::byte> bytes, std::size_t& written) override {
        written = 0;
        while (written < bytes.size()) {
            const auto wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1u << 30));
            DWORD n = 0;
            if (::WriteFile(handleOf(file), bytes.data() + written, wanted, &n, nullptr) == 0) {
                return lastWin32Error();
            }
            written += n;
        }
        return {};
    }

    std::error_code sync(NativeFile file) override {
        return ::FlushFileBuffers(handleOf(file)) != 0 ? std::error_code{} : lastWin32Error();
    }

    std::error_code close(NativeFile file) override {
        return ::CloseHandle(handleOf(file)) != 0 ? std::error_code{} : lastWin32Error();
    }

    // Write-through makes the rename durable when it returns, which is what a
    // folder flush gives elsewhere. The 95 family exports the call only as a
    // stub that fails with ERROR_CALL_NOT_IMPLEMENTED; it is not even tried
    // there, so the same answer comes on systems that merely say they are of it.
    std::error_code replace(const char* from, const char* to) override {
        const auto move = isWindows95Family() ? nullptr : moveFileEx();
        if (move == nullptr) {
            return win32Error(ERROR_CALL_NOT_IMPLEMENTED);
        }
        for (int attempt = 1;; ++attempt) {
            if (move(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) {
                return {};
            }
            const DWORD error = ::GetLastError();
            if (!isTransient(error) || attempt == kReplaceAttempts) {
                return win32Error(error);
            }
            ::Sleep(kReplacePauseMilliseconds);
        }
    }

    std::error_code rename(const char* from, const char* to) override {
        return ::MoveFileA(from, to) != 0 ? std::error_code{} : lastWin32Error();
    }

    std::error_code removeFile(const char* path) override {
        return ::DeleteFileA(path) != 0 ? std::error_code{} : lastWin32Error();
    }

    std::error_code syncFolder(const char*) override { return {}; }

    bool exists(const char* path) override { return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

    // Windows' own names ignore case already: the search answers with the one
    // entry there is, spelled as it is stored.
    std::error_code namesIgnoringCase(const char* folder, std::string_view name,
                                      std::vector<std::string>& out) override {
        if (name.find_first_of("*?") != std::string_view::npos) {
            return {};  // no Windows name holds them; the search would take them as a pattern
        }
        std::string path(folder);
        if (!path.empty() && path.back() != '\\' && path.back() != '/') {
            path += '\\';
        }
        path += name;
        WIN32_FIND_DATAA found{};
        HANDLE search = ::FindFirstFileA(path.c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) {
            const DWORD error = ::GetLastError();
            return error == ERROR_FILE_NOT_FOUND ? std::error_code{} : win32Error(error);
        }
        out.emplace_back(found.cFileName);
        ::FindClose(search);
        return {};
    }

    std::error_code listFolder(const char* folder, std::string_view namePrefix,
                               std::vector<FolderEntry>& out) override {
        std::string pattern(folder);
        if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/') {
            pattern += '\\';
        }
        pattern += namePrefix;
        pattern += '*';
        WIN32_FIND_DATAA found{};
        HANDLE search = ::FindFirstFileA(pattern.c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) {
            return lastWin32Error();
        }
        FILETIME now{};
        ::GetSystemTimeAsFileTime(&now);
        do {
            out.push_back({found.cFileName, isRegular(found.dwFileAttributes),
                           secondsOf(now) - secondsOf(found.ftLastWriteTime)});
        } while (::FindNextFileA(search, &found) != 0);
        ::FindClose(search);
        return {};
    }

    std::error_code tryLockFolder(const char* folder, NativeFile& out) override {
        HANDLE mutex = nullptr;
        if (auto error = tryLockFolderMutex(folder, mutex)) {
            return error;
        }
        out = nativeOf(mutex);
        return {};
    }

    void unlockFolder(NativeFile lock) override { unlockFolderMutex(handleOf(lock)); }
};

}  // namespace

std::unique_ptr<FileSystem> makeNativeFileSystem() {
    return std::make_unique<Win32FileSystem>();
}

}  // namespace rt
