#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <ctime>
#include <string>

#include "platform/base/AsciiCase.h"
#include "platform/filesystem/FileSystem.h"

namespace rt {

namespace {

// No longer than the report's own name, so that it fits wherever the report does.
constexpr const char* kLockFileName = ".KELDWICK.LK";

std::error_code lastError() {
    return {errno, std::generic_category()};
}

int fd(const File& file) {
    return static_cast<int>(file.native());
}

// Retries a call that a signal interrupted.
template <typename Call>
auto retrying(Call call) {
    decltype(call()) result;
    do {
        result = call();
    } while (result == -1 && errno == EINTR);
    return result;
}

using Status = Result<void, std::error_code>;

Status doneOrLastError(bool done) {
    if (!done) {
        return lastError();
    }
    return {};
}

class PosixFileSystem final : public FileSystem {
  public:
    // A write past the file-size limit must fail (EFBIG), as a full disk does,
    // not end the process with SIGXFSZ before the report's failure is told.
    PosixFileSystem() { std::signal(SIGXFSZ, SIG_IGN); }

    Result<File, std::error_code> openForReading(const char* path, Follow follow) override {
        int flags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
        if (follow == Follow::NoLinks) {
            flags |= O_NOFOLLOW;
        }
        return opened(retrying([&] { return ::open(path, flags); }));
    }

    Result<FileStatus, std::error_code> status(const File& file) override {
        struct stat info {};
        if (::fstat(fd(file), &info) != 0) {
            return lastError();
        }
        FileStatus out;
        out.isRegular = S_ISREG(info.st_mode);
        out.size = static_cast<std::uint64_t>(info.st_size);
        out.links = static_cast<std::uint64_t>(info.st_nlink);
        return out;
    }

    Result<std::size_t, std::error_code> readAt(const File& file, std::uint64_t offset,
                                                std::span<std::byte> into) override {
        std::size_t got = 0;
        while (got < into.size()) {
            const auto n = retrying([&] {
                return ::pread(fd(file), into.data() + got, into.size() - got,
                               static_cast<off_t>(offset + got));
            });
            if (n < 0) {
                return lastError();
            }
            if (n == 0) {
                break;
            }
            got += static_cast<std::size_t>(n);
        }
        return got;
    }

    Result<File, std::error_code> createNew(const char* path) override {
        const int flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC;
        return opened(retrying([&] { return ::open(path, flags, 0666); }));
    }

    Result<File, std::error_code> openForWriting(const char* path) override {
        const int flags = O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
        return opened(retrying([&] { return ::open(path, flags); }));
    }

    Status truncate(const File& file, std::uint64_t size) override {
        return doneOrLastError(retrying([&] { return ::ftruncate(fd(file), static_cast<off_t>(size)); }) ==
                               0);
    }

    Result<std::size_t, std::error_code> writeAt(const File& file, std::uint64_t offset,
                                                 std::span<const std::byte> bytes) override {
        std::size_t written = 0;
        while (written < bytes.size()) {
            const auto n = retrying([&] {
                return ::pwrite(fd(file), bytes.data() + written, bytes.size() - written,
                                static_cast<off_t>(offset + written));
            });
            if (n < 0) {
                return lastError();
            }
            written += static_cast<std::size_t>(n);
        }
        return written;
    }

    Status sync(const File& file) override {
        return doneOrLastError(retrying([&] { return ::fsync(fd(file)); }) == 0);
    }

    Status replace(const char* from, const char* to) override {
        return doneOrLastError(::rename(from, to) == 0);
    }

    Status rename(const char* from, const char* to) override {
        return doneOrLastError(::rename(from, to) == 0);
    }

    Status removeFile(const char* path) override { return doneOrLastError(::unlink(path) == 0); }

    Status syncFolder(const char* folder) override {
        const int dir = retrying([&] { return ::open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC); });
        if (dir < 0) {
            return lastError();
        }
        const int synced = retrying([&] { return ::fsync(dir); });
        const Status done = doneOrLastError(synced == 0 || errno == EINVAL);
        ::close(dir);
        return done;
    }

    bool exists(const char* path) override {
        if (::access(path, F_OK) == 0) {
            return true;
        }
        return errno != ENOENT && errno != ENOTDIR && errno != ELOOP && errno != ENAMETOOLONG;
    }

    Result<std::vector<std::string>, std::error_code> namesIgnoringCase(const char* folder,
                                                                        std::string_view name) override {
        DIR* stream = ::opendir(folder);
        if (stream == nullptr) {
            return lastError();
        }
        std::vector<std::string> names;
        while (const dirent* entry = ::readdir(stream)) {
            if (equalsIgnoringAsciiCase(entry->d_name, name)) {
                names.emplace_back(entry->d_name);
            }
        }
        ::closedir(stream);
        return names;
    }

    Result<std::vector<FolderEntry>, std::error_code> listFolder(const char* folder,
                                                                 std::string_view namePrefix) override {
        const int dir = retrying([&] { return ::open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC); });
        if (dir < 0) {
            return lastError();
        }
        DIR* stream = ::fdopendir(dir);
        if (stream == nullptr) {
            const auto error = lastError();
            ::close(dir);
            return error;
        }
        std::vector<FolderEntry> entries;
        const auto now = std::time(nullptr);
        while (const dirent* entry = ::readdir(stream)) {
            if (!std::string_view(entry->d_name).starts_with(namePrefix)) {
                continue;
            }
            struct stat info {};
            if (::fstatat(dir, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
                continue;
            }
            entries.push_back(
                {entry->d_name, S_ISREG(info.st_mode), static_cast<std::int64_t>(now - info.st_mtime)});
        }
        ::closedir(stream);
        return entries;
    }

    // The folder itself is locked where it can be opened and locked. A folder
    // that cannot be read (a drop box), or whose file system locks no folder
    // (NFS locks only what is open for writing), is locked through a file in
    // it instead, which stays. Both are released by the system when the
    // holder dies.
    Result<LockedFolder, std::error_code> tryLockFolder(const char* folder) override {
        const int dir = retrying([&] { return ::open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC); });
        if (dir < 0) {
            if (errno != EACCES) {
                return lastError();
            }
            return lockThroughFile(folder);
        }
        auto locked = locking(dir);
        if (!locked && isLockRefused(locked.error())) {
            return lockThroughFile(folder);
        }
        return locked;
    }

  protected:
    Status close(NativeFile file) override {
        // A close interrupted by a signal has still released the descriptor: never retry it.
        return doneOrLastError(::close(static_cast<int>(file)) == 0 || errno == EINTR);
    }

    void unlockFolder(NativeFile lock) override {
        ::flock(static_cast<int>(lock), LOCK_UN);
        ::close(static_cast<int>(lock));
    }

  private:
    static bool isLockRefused(std::error_code error) {
        return error == std::errc::bad_file_descriptor || error == std::errc::no_lock_available ||
               error == std::errc::operation_not_supported || error == std::errc::invalid_argument;
    }

    // Takes the lock on an open descriptor, which it closes unless it is handed out.
    Result<LockedFolder, std::error_code> locking(int descriptor) {
        if (retrying([&] { return ::flock(descriptor, LOCK_EX | LOCK_NB); }) != 0) {
            const auto error = errno == EWOULDBLOCK
                                   ? std::make_error_code(std::errc::resource_unavailable_try_again)
                                   : lastError();
            ::close(descriptor);
            return error;
        }
        return adoptLock(descriptor);
    }

    Result<LockedFolder, std::error_code> lockThroughFile(const char* folder) {
        std::string path(folder);
        if (path.empty() || path.back() != '/') {
            path += '/';
        }
        path += kLockFileName;
        const int flags = O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
        int file = retrying([&] { return ::open(path.c_str(), O_RDWR | flags, 0666); });
        if (file < 0 && errno == EACCES) {
            // Another user's lock file, which this one may only read: a local lock still holds.
            file = retrying([&] { return ::open(path.c_str(), O_RDONLY | flags, 0666); });
        }
        if (file < 0) {
            return lastError();
        }
        return locking(file);
    }

    Result<File, std::error_code> opened(int descriptor) {
        if (descriptor < 0) {
            return lastError();
        }
        return adopt(descriptor);
    }
};

}  // namespace

std::unique_ptr<FileSystem> makeNativeFileSystem() {
    return std::make_unique<PosixFileSystem>();
}

}  // namespace rt
