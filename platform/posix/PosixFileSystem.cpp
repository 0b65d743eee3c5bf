#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <ctime>

#include "../AsciiCase.h"
#include "../FileSystem.h"

namespace rt {

namespace {

std::error_code lastError() {
    return {errno, std::generic_category()};
}

int fd(NativeFile file) {
    return static_cast<int>(file);
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

class PosixFileSystem final : public FileSystem {
  public:
    // A write past the file-size limit must fail (EFBIG), as a full disk does,
    // not end the process with SIGXFSZ before the report's failure is told.
    PosixFileSystem() { std::signal(SIGXFSZ, SIG_IGN); }

    std::error_code openForReading(const char* path, Follow follow, NativeFile& out) override {
        int flags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
        if (follow == Follow::NoLinks) {
            flags |= O_NOFOLLOW;
        }
        const int opened = retrying([&] { return ::open(path, flags); });
        if (opened < 0) {
            return lastError();
        }
        out = opened;
        return {};
    }

    std::error_code status(NativeFile file, FileStatus& out) override {
        struct stat info {};
        if (::fstat(fd(file), &info) != 0) {
            return lastError();
        }
        out.isRegular = S_ISREG(info.st_mode);
        out.size = static_cast<std::uint64_t>(info.st_size);
        out.links = static_cast<std::uint64_t>(info.st_nlink);
        return {};
    }

    std::error_code readAt(NativeFile file, std::uint64_t offset, std::span<std::byte> into,
                           std::size_t& got) override {
        got = 0;
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
        return {};
    }

    std::error_code createNew(const char* path, NativeFile& out) override {
        const int flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC;
        const int created = retrying([&] { return ::open(path, flags, 0666); });
        if (created < 0) {
            return lastError();
        }
        out = created;
        return {};
    }

    std::error_code openForWriting(const char* path, NativeFile& out) override {
        const int flags = O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
        const int opened = retrying([&] { return ::open(path, flags); });
        if (opened < 0) {
            return lastError();
        }
        out = opened;
        return {};
    }

    std::error_code truncate(NativeFile file, std::uint64_t size) override {
        const auto done = retrying([&] { return ::ftruncate(fd(file), static_cast<off_t>(size)); });
        return done == 0 ? std::error_code{} : lastError();
    }

    std::error_code write(NativeFile file, std::span<const std::byte> bytes, std::size_t& written) override {
        written = 0;
        while (written < bytes.size()) {
            const auto n =
                retrying([&] { return ::write(fd(file), bytes.data() + written, bytes.size() - written); });
            if (n < 0) {
                return lastError();
            }
            written += static_cast<std::size_t>(n);
        }
        return {};
    }

    std::error_code sync(NativeFile file) override {
        return retrying([&] { return ::fsync(fd(file)); }) == 0 ? std::error_code{} : lastError();
    }

    std::error_code close(NativeFile file) override {
        // A close interrupted by a signal has still released the descriptor: never retry it.
        return ::close(fd(file)) == 0 || errno == EINTR ? std::error_code{} : lastError();
    }

    std::error_code replace(const char* from, const char* to) override {
        return ::rename(from, to) == 0 ? std::error_code{} : lastError();
    }

    std::error_code rename(const char* from, const char* to) override {
        return ::rename(from, to) == 0 ? std::error_code{} : lastError();
    }

    std::error_code removeFile(const char* path) override {
        return ::unlink(path) == 0 ? std::error_code{} : lastError();
    }

    std::error_code syncFolder(const char* folder) override {
        const int dir = retrying([&] { return ::open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC); });
        if (dir < 0) {
            return lastError();
        }
        const int synced = retrying([&] { return ::fsync(dir); });
        const auto error = synced == 0 || errno == EINVAL ? std::error_code{} : lastError();
        ::close(dir);
        return error;
    }

    bool exists(const char* path) override { return ::access(path, F_OK) == 0; }

    std::error_code namesIgnoringCase(const char* folder, std::string_view name,
                                      std::vector<std::string>& out) override {
        DIR* stream = ::opendir(folder);
        if (stream == nullptr) {
            return lastError();
        }
        while (const dirent* entry = ::readdir(stream)) {
            if (equalsIgnoringAsciiCase(entry->d_name, name)) {
                out.emplace_back(entry->d_name);
            }
        }
        ::closedir(stream);
        return {};
    }

    std::error_code listFolder(const char* folder, std::string_view namePrefix,
                               std::vector<FolderEntry>& out) override {
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
        const auto now = std::time(nullptr);
        while (const dirent* entry = ::readdir(stream)) {
            if (!std::string_view(entry->d_name).starts_with(namePrefix)) {
                continue;
            }
            struct stat info {};
            if (::fstatat(dir, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
                continue;
            }
            out.push_back(
                {entry->d_name, S_ISREG(info.st_mode), static_cast<std::int64_t>(now - info.st_mtime)});
        }
        ::closedir(stream);
        return {};
    }

    std::error_code tryLockFolder(const char* folder, NativeFile& out) override {
        const int dir = retrying([&] { return ::open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC); });
        if (dir < 0) {
            return lastError();
        }
        if (retrying([&] { return ::flock(dir, LOCK_EX | LOCK_NB); }) != 0) {
            const auto error = errno == EWOULDBLOCK
                                   ? std::make_error_code(std::errc::resource_unavailable_try_again)
                                   : lastError();
            ::close(dir);
            return error;
        }
        out = dir;
        return {};
    }

    void unlockFolder(NativeFile lock) override {
        ::flock(fd(lock), LOCK_UN);
        ::close(fd(lock));
    }
};

}  // namespace

std::unique_ptr<FileSystem> makeNativeFileSystem() {
    return std::make_unique<PosixFileSystem>();
}

}  // namespace rt
