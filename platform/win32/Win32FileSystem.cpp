#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "Win32Errors.h"
#include "Win32FolderMutex.h"
#include "Win32Platform.h"
#include "platform/filesystem/FileSystem.h"

namespace rt {

namespace {

HANDLE handleOf(NativeFile file) {
    return reinterpret_cast<HANDLE>(file);
}

HANDLE handleOf(const File& file) {
    return handleOf(file.native());
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

using Status = Result<void, std::error_code>;

Status doneOrLastError(BOOL done) {
    if (done == 0) {
        return lastWin32Error();
    }
    return {};
}

class Win32FileSystem final : public FileSystem {
  public:
    // The 95 family refuses FILE_SHARE_DELETE; systems before Windows 2000
    // have no links to guard against, nor the flag that does.
    Result<File, std::error_code> openForReading(const char* path, Follow follow) override {
        const bool nt = !isWindows95Family();
        const DWORD flags =
            FILE_ATTRIBUTE_NORMAL |
            (follow == Follow::NoLinks && hasReparsePoints() ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
        const DWORD sharing = FILE_SHARE_READ | FILE_SHARE_WRITE | (nt ? FILE_SHARE_DELETE : 0);
        auto file =
            opened(::CreateFileA(path, GENERIC_READ, sharing, nullptr, OPEN_EXISTING, flags, nullptr));
        if (file && follow == Follow::NoLinks) {
            BY_HANDLE_FILE_INFORMATION info{};
            if (::GetFileInformationByHandle(handleOf(*file), &info) != 0 &&
                (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
                return std::make_error_code(std::errc::too_many_symbolic_link_levels);
            }
        }
        return file;
    }

    Result<FileStatus, std::error_code> status(const File& file) override {
        BY_HANDLE_FILE_INFORMATION info{};
        if (::GetFileInformationByHandle(handleOf(file), &info) == 0) {
            return lastWin32Error();
        }
        FileStatus out;
        out.isRegular = isRegular(info.dwFileAttributes) && ::GetFileType(handleOf(file)) == FILE_TYPE_DISK;
        out.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
        out.links = info.nNumberOfLinks;
        return out;
    }

    // The 95 family takes no position with a read of a disk file (an
    // OVERLAPPED there fails the call), so it moves the file pointer first.
    Result<std::size_t, std::error_code> readAt(const File& file, std::uint64_t offset,
                                                std::span<std::byte> into) override {
        std::size_t got = 0;
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
        return got;
    }

    Result<File, std::error_code> createNew(const char* path) override {
        // CREATE_NEW refuses any existing name, a link included, so nothing is written through one.
        return opened(::CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    }

    // The name is looked at before it is opened, since opening follows a link
    // and the flag that would not is unknown to the Windows 95 family.
    Result<File, std::error_code> openForWriting(const char* path) override {
        const DWORD attributes = ::GetFileAttributesA(path);
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            return lastWin32Error();
        }
        if (!isRegular(attributes)) {
            return std::make_error_code(std::errc::operation_not_supported);
        }
        return opened(::CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    }

    Status truncate(const File& file, std::uint64_t size) override {
        LONG high = static_cast<LONG>(size >> 32);
        const DWORD low =
            ::SetFilePointer(handleOf(file), static_cast<LONG>(size & 0xFFFFFFFFu), &high, FILE_BEGIN);
        if (low == INVALID_SET_FILE_POINTER && ::GetLastError() != NO_ERROR) {
            return lastWin32Error();
        }
        return doneOrLastError(::SetEndOfFile(handleOf(file)));
    }

    // Positioned by the file pointer, as the 95 family takes no position with a write either.
    Result<std::size_t, std::error_code> writeAt(const File& file, std::uint64_t offset,
                                                 std::span<const std::byte> bytes) override {
        LONG high = static_cast<LONG>(offset >> 32);
        if (::SetFilePointer(handleOf(file), static_cast<LONG>(offset & 0xFFFFFFFFu), &high, FILE_BEGIN) ==
                INVALID_SET_FILE_POINTER &&
            ::GetLastError() != NO_ERROR) {
            return lastWin32Error();
        }
        std::size_t written = 0;
        while (written < bytes.size()) {
            const auto wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1u << 30));
            DWORD n = 0;
            if (::WriteFile(handleOf(file), bytes.data() + written, wanted, &n, nullptr) == 0) {
                return lastWin32Error();
            }
            if (n == 0) {
                break;
            }
            written += n;
        }
        return written;
    }

    Status sync(const File& file) override { return doneOrLastError(::FlushFileBuffers(handleOf(file))); }

    // Write-through makes the rename durable when it returns, which is what a
    // folder flush gives elsewhere. The 95 family exports the call only as a
    // stub that fails with ERROR_CALL_NOT_IMPLEMENTED; it is not even tried
    // there, so the same answer comes on systems that merely say they are of it.
    Status replace(const char* from, const char* to) override {
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

    Status rename(const char* from, const char* to) override {
        return doneOrLastError(::MoveFileA(from, to));
    }

    Status removeFile(const char* path) override { return doneOrLastError(::DeleteFileA(path)); }

    Status syncFolder(const char*) override { return {}; }

    bool exists(const char* path) override {
        if (::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) {
            return true;
        }
        switch (::GetLastError()) {
            case ERROR_FILE_NOT_FOUND:
            case ERROR_PATH_NOT_FOUND:
            case ERROR_INVALID_NAME:
            case ERROR_BAD_PATHNAME:
            case ERROR_FILENAME_EXCED_RANGE:
            case ERROR_INVALID_DRIVE:
            case ERROR_BAD_NETPATH:
            case ERROR_BAD_NET_NAME:
                return false;
            default:
                return true;
        }
    }

    // Windows' own names ignore case already: the search answers with the one
    // entry there is, spelled as it is stored.
    Result<std::vector<std::string>, std::error_code> namesIgnoringCase(const char* folder,
                                                                        std::string_view name) override {
        std::vector<std::string> names;
        if (name.find_first_of("*?") != std::string_view::npos) {
            return names;  // no Windows name holds them; the search would take them as a pattern
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
            if (error != ERROR_FILE_NOT_FOUND) {
                return win32Error(error);
            }
            return names;
        }
        names.emplace_back(found.cFileName);
        ::FindClose(search);
        return names;
    }

    Result<std::vector<FolderEntry>, std::error_code> listFolder(const char* folder,
                                                                 std::string_view namePrefix) override {
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
        std::vector<FolderEntry> entries;
        FILETIME now{};
        ::GetSystemTimeAsFileTime(&now);
        do {
            entries.push_back({found.cFileName, isRegular(found.dwFileAttributes),
                               secondsOf(now) - secondsOf(found.ftLastWriteTime)});
        } while (::FindNextFileA(search, &found) != 0);
        ::FindClose(search);
        return entries;
    }

    Result<LockedFolder, std::error_code> tryLockFolder(const char* folder) override {
        const auto mutex = tryLockFolderMutex(folder);
        if (!mutex) {
            return mutex.error();
        }
        return adoptLock(nativeOf(mutex.value()));
    }

  protected:
    Status close(NativeFile file) override { return doneOrLastError(::CloseHandle(handleOf(file))); }

    void unlockFolder(NativeFile lock) override { unlockFolderMutex(handleOf(lock)); }

  private:
    Result<File, std::error_code> opened(HANDLE file) {
        if (file == INVALID_HANDLE_VALUE) {
            return lastWin32Error();
        }
        return adopt(nativeOf(file));
    }
};

}  // namespace

std::unique_ptr<FileSystem> makeNativeFileSystem() {
    return std::make_unique<Win32FileSystem>();
}

}  // namespace rt
