#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/base/InstalledService.h"
#include "platform/base/Result.h"

namespace rt {

using rt::Result;

using NativeFile = std::intptr_t;
inline constexpr NativeFile kNoFile = -1;

struct FileStatus {
    bool isRegular = false;
    std::uint64_t size = 0;
    std::uint64_t links = 1;  // names the file has; a write in place reaches all of them
};

struct FolderEntry {
    std::string name;
    bool isRegular = false;
    std::int64_t ageSeconds = 0;
};

class FileSystem;

enum class HandleKind { File, FolderLock };

// A handle a file system gave out, an open file or a folder's advisory lock,
// given back when it goes out of scope. Only a file system makes one, and it
// goes back to that file system, not to whichever one is installed by then.
template <HandleKind Kind>
class FileSystemHandle {
  public:
    FileSystemHandle() = default;
    ~FileSystemHandle() { (void)close(); }
    FileSystemHandle(FileSystemHandle&& other) noexcept
        : m_owner(std::exchange(other.m_owner, nullptr)), m_native(std::exchange(other.m_native, kNoFile)) {}
    FileSystemHandle& operator=(FileSystemHandle&& other) noexcept;
    FileSystemHandle(const FileSystemHandle&) = delete;
    FileSystemHandle& operator=(const FileSystemHandle&) = delete;

    bool isOpen() const { return m_native != kNoFile; }
    // The handle, for the calls of the file system that gave it out.
    NativeFile native() const { return m_native; }
    // Closes the file or releases the lock. Closing a file can report a
    // deferred write error (network file systems do).
    Result<void, std::error_code> close();

  private:
    friend class FileSystem;
    FileSystemHandle(FileSystem& owner, NativeFile native) : m_owner(&owner), m_native(native) {}
    NativeFile release() {
        m_owner = nullptr;
        return std::exchange(m_native, kNoFile);
    }

    FileSystem* m_owner = nullptr;
    NativeFile m_native = kNoFile;
};

using File = FileSystemHandle<HandleKind::File>;
using LockedFolder = FileSystemHandle<HandleKind::FolderLock>;

// Every file-system call the report writer and the probes make goes through
// this seam, so that tests can make any one of them fail. The native
// implementation never blocks on odd files (FIFOs, devices) and never follows
// a symbolic link when it creates or reads the report.
class FileSystem {
  public:
    enum class Follow { Links, NoLinks };

    virtual ~FileSystem() = default;

    // Opens for reading without blocking and without taking a controlling terminal.
    virtual Result<File, std::error_code> openForReading(const char* path, Follow follow) = 0;
    virtual Result<FileStatus, std::error_code> status(const File& file) = 0;
    // The count of bytes read into `into`, short only where the file ends.
    virtual Result<std::size_t, std::error_code> readAt(const File& file, std::uint64_t offset,
                                                        std::span<std::byte> into) = 0;
    // Creates a file that did not exist (never through a link), readable and
    // writable as the process's defaults allow.
    virtual Result<File, std::error_code> createNew(const char* path) = 0;
    // Opens a file that exists for reading and writing where it stands: never
    // creates one, never through a link, never blocks on a FIFO.
    virtual Result<File, std::error_code> openForWriting(const char* path) = 0;
    virtual Result<void, std::error_code> truncate(const File& file, std::uint64_t size) = 0;
    // Writes at `offset`; the count of bytes written, which callers treat as a
    // failure when short.
    virtual Result<std::size_t, std::error_code> writeAt(const File& file, std::uint64_t offset,
                                                         std::span<const std::byte> bytes) = 0;
    virtual Result<void, std::error_code> sync(const File& file) = 0;
    // Puts `from` in place of `to` in one step; a link at `to` is replaced, not followed.
    // `function_not_supported` where the system has no such step (Windows 95, 98, Me).
    virtual Result<void, std::error_code> replace(const char* from, const char* to) = 0;
    // Gives `from` the name `to`, for systems without a one-step replace once
    // `to` has been removed. Whether a `to` that came back in between is
    // refused (Windows) or replaced (POSIX) is the system's choice.
    virtual Result<void, std::error_code> rename(const char* from, const char* to) = 0;
    // Removes a file (or a link, FIFO, socket); never a directory.
    virtual Result<void, std::error_code> removeFile(const char* path) = 0;
    virtual Result<void, std::error_code> syncFolder(const char* folder) = 0;
    // False only where the path surely names nothing (no such entry, a
    // dangling link); true where something is there or the system cannot tell
    // (no permission on a folder above it, an I/O error), so that a caller
    // that goes on to open it learns why.
    virtual bool exists(const char* path) = 0;
    // The names of the folder's entries that equal `name` apart from ASCII
    // letter case, `name` itself among them when it is there, in no set order.
    virtual Result<std::vector<std::string>, std::error_code> namesIgnoringCase(const char* folder,
                                                                                std::string_view name) = 0;
    // The entries whose names begin with `namePrefix`; only those are looked at closely.
    virtual Result<std::vector<FolderEntry>, std::error_code> listFolder(const char* folder,
                                                                         std::string_view namePrefix) = 0;
    // Takes an advisory lock on a folder without waiting: `resource_unavailable_try_again` when held
    // elsewhere, any other error where the folder cannot be locked at all.
    virtual Result<LockedFolder, std::error_code> tryLockFolder(const char* folder) = 0;

  protected:
    // Hands out a handle this file system has opened or locked.
    File adopt(NativeFile native) { return File(*this, native); }
    LockedFolder adoptLock(NativeFile native) { return LockedFolder(*this, native); }
    // For a file system that passes its calls on to another: what the other
    // one opened or locked is closed or released through this one from now on.
    template <HandleKind Kind>
    FileSystemHandle<Kind> adopt(FileSystemHandle<Kind>&& taken) {
        return FileSystemHandle<Kind>(*this, taken.release());
    }

    // FileSystemHandle::close() is the only caller.
    virtual Result<void, std::error_code> close(NativeFile file) = 0;
    virtual void unlockFolder(NativeFile lock) = 0;
    // The same, on the file system that a wrapping one passes its calls on to.
    static Result<void, std::error_code> closeIn(FileSystem& other, NativeFile file) {
        return other.close(file);
    }
    static void unlockFolderIn(FileSystem& other, NativeFile lock) { other.unlockFolder(lock); }

  private:
    template <HandleKind>
    friend class FileSystemHandle;
};

extern template class FileSystemHandle<HandleKind::File>;
extern template class FileSystemHandle<HandleKind::FolderLock>;

std::unique_ptr<FileSystem> makeNativeFileSystem();

using InstalledFileSystem = InstalledService<FileSystem, makeNativeFileSystem>;
extern template class InstalledService<FileSystem, makeNativeFileSystem>;

inline FileSystem& fileSystem() {
    return InstalledFileSystem::get();
}

// Installs a replacement for its lifetime; install before threads start.
using ScopedFileSystem = InstalledFileSystem::Scope;

}  // namespace rt
