#pragma once

#include <atomic>
#include <memory>

#include "platform/filesystem/FileSystem.h"

namespace rt::version::test {

// The machine's file system, counting the files opened for reading and what
// is read; it can also pretend the file ends earlier than its status says, as
// a file that shrank would.
class CountingFileSystem final : public rt::FileSystem {
  public:
    template <typename T>
    using Result = rt::Result<T, std::error_code>;

    CountingFileSystem() : m_native(rt::makeNativeFileSystem()) {}

    std::uint64_t bytesRead() const { return m_bytes.load(); }
    int reads() const { return m_reads.load(); }
    int opens() const { return m_opens.load(); }
    void endFileAt(std::uint64_t size) { m_end = size; }

    Result<rt::File> openForReading(const char* path, Follow follow) override {
        ++m_opens;
        return m_native->openForReading(path, follow);
    }
    Result<rt::FileStatus> status(const rt::File& file) override { return m_native->status(file); }
    Result<std::size_t> readAt(const rt::File& file, std::uint64_t offset,
                               std::span<std::byte> into) override {
        ++m_reads;
        if (offset >= m_end) {
            return std::size_t{0};
        }
        if (into.size() > m_end - offset) {
            into = into.first(static_cast<std::size_t>(m_end - offset));
        }
        auto got = m_native->readAt(file, offset, into);
        if (got) {
            m_bytes += got.value();
        }
        return got;
    }
    Result<rt::File> createNew(const char* path) override { return m_native->createNew(path); }
    Result<rt::File> openForWriting(const char* path) override { return m_native->openForWriting(path); }
    Result<void> truncate(const rt::File& file, std::uint64_t size) override {
        return m_native->truncate(file, size);
    }
    Result<std::size_t> writeAt(const rt::File& file, std::uint64_t offset,
                                std::span<const std::byte> bytes) override {
        return m_native->writeAt(file, offset, bytes);
    }
    Result<void> sync(const rt::File& file) override { return m_native->sync(file); }
    Result<void> replace(const char* from, const char* to) override { return m_native->replace(from, to); }
    Result<void> rename(const char* from, const char* to) override { return m_native->rename(from, to); }
    Result<void> removeFile(const char* path) override { return m_native->removeFile(path); }
    Result<void> syncFolder(const char* folder) override { return m_native->syncFolder(folder); }
    bool exists(const char* path) override { return m_native->exists(path); }
    Result<std::vector<std::string>> namesIgnoringCase(const char* folder, std::string_view name) override {
        return m_native->namesIgnoringCase(folder, name);
    }
    Result<std::vector<rt::FolderEntry>> listFolder(const char* folder,
                                                    std::string_view namePrefix) override {
        return m_native->listFolder(folder, namePrefix);
    }
    Result<rt::LockedFolder> tryLockFolder(const char* folder) override {
        return m_native->tryLockFolder(folder);
    }

  protected:
    // Files stay the machine's own: they are closed there, never here.
    Result<void> close(rt::NativeFile) override { return {}; }
    void unlockFolder(rt::NativeFile) override {}

  private:
    std::unique_ptr<rt::FileSystem> m_native;
    std::atomic<std::uint64_t> m_bytes{0};
    std::atomic<int> m_reads{0};
    std::atomic<int> m_opens{0};
    std::atomic<std::uint64_t> m_end{UINT64_MAX};
};

}  // namespace rt::version::test
