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

namespace rt {

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

// Every file-system call the report writer and the probes make goes through
// this seam, so that tests can make any one of them fail. The native
// implementation never blocks on odd files (FIFOs, devices) and never follows
// a symbolic link when it creates or reads the report.
class FileSystem {
  public:
    enum class Follow { Links, NoLinks };

    virtual ~FileSystem() = default;

    // Opens for reading without blocking and without taking a controlling terminal.
    virtual std::error_code openForReading(const char* path, Follow follow, NativeFile& out) = 0;
    virtual std::error_code status(NativeFile file, FileStatus& out) = 0;
    virtual std::error_code readAt(NativeFile file, std::uint64_t offset, std::span<std::byte> into,
                                   std::size_t& got) = 0;
    // Creates a file that did not exist (never through a link), readable and
    // writable as the process's defaults allow.
    virtual std::error_code createNew(const char* path, NativeFile& out) = 0;
    // Opens a file that exists for writing where it stands: never creates one,
    // never through a link, never blocks on a FIFO.
    virtual std::error_code openForWriting(const char* path, NativeFile& out) = 0;
    virtual std::error_code truncate(NativeFile file, std::uint64_t size) = 0;
    virtual std::error_code write(NativeFile file, std::span<const std::byte> bytes,
                                  std::size_t& written) = 0;
    virtual std::error_code sync(NativeFile file) = 0;
    virtual std::error_code close(NativeFile file) = 0;
    // Puts `from` in place of `to` in one step; a link at `to` is replaced, not followed.
    // `function_not_supported` where the system has no such step (Windows 95, 98, Me).
    virtual std::error_code replace(const char* from, const char* to) = 0;
    // Gives `from` the name `to`, for systems without a one-step replace once
    // `to` has been removed. Whether a `to` that came back in between is
    // refused (Windows) or replaced (POSIX) is the system's choice.
    virtual std::error_code rename(const char* from, const char* to) = 0;
    // Removes a file (or a link, FIFO, socket); never a directory.
    virtual std::error_code removeFile(const char* path) = 0;
    virtual std::error_code syncFolder(const char* folder) = 0;
    virtual bool exists(const char* path) = 0;
    // The names of the folder's entries that equal `name` apart from ASCII
    // letter case, `name` itself among them when it is there, in no set order.
    virtual std::error_code namesIgnoringCase(const char* folder, std::string_view name,
                                              std::vector<std::string>& out) = 0;
    // Lists the entries whose names begin with `namePrefix`; only those are looked at closely.
    virtual std::error_code listFolder(const char* folder, std::string_view namePrefix,
                                       std::vector<FolderEntry>& out) = 0;
    // Takes an advisory lock on a folder without waiting: `resource_unavailable_try_again` when held
    // elsewhere.
    virtual std::error_code tryLockFolder(const char* folder, NativeFile& out) = 0;
    virtual void unlockFolder(NativeFile lock) = 0;
};

std::unique_ptr<FileSystem> makeNativeFileSystem();
FileSystem& fileSystem();

// Installs a replacement for its lifetime; install before threads start.
class ScopedFileSystem {
  public:
    explicit ScopedFileSystem(FileSystem& replacement);
    ~ScopedFileSystem();
    ScopedFileSystem(const ScopedFileSystem&) = delete;
    ScopedFileSystem& operator=(const ScopedFileSystem&) = delete;

  private:
    FileSystem* m_previous;
};

// An open file that is closed when it goes out of scope.
class File {
  public:
    File() = default;
    explicit File(NativeFile native) : m_native(native) {}
    ~File() { (void)close(); }
    File(File&& other) noexcept : m_native(std::exchange(other.m_native, kNoFile)) {}
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    bool isOpen() const { return m_native != kNoFile; }
    NativeFile native() const { return m_native; }
    // Closing can report a deferred write error (network file systems do).
    std::error_code close();

  private:
    NativeFile m_native = kNoFile;
};

}  // namespace rt
