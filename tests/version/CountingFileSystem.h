#pragma once

#include <atomic>
#include <memory>

#include "platform/FileSystem.h"

namespace version::test {

// The machine's file system, counting what is read; it can also pretend the
// file ends earlier than its status says, as a file that shrank would.
class CountingFileSystem final : public rt::FileSystem {
  public:
    CountingFileSystem() : m_native(rt::makeNativeFileSystem()) {}

    std::uint64_t bytesRead() const { return m_bytes.load(); }
    int reads() const { return m_reads.load(); }
    void endFileAt(std::uint64_t size) { m_end = size; }

    std::error_code openForReading(const char* path, Follow follow, rt::NativeFile& out) override {
        return m_native->openForReading(path, follow, out);
    }
    std::error_code status(rt::NativeFile file, rt::FileStatus& out) override {
        return m_native->status(file, out);
    }
    std::error_code readAt(rt::NativeFile file, std::uint64_t offset, std::span<std::byte> into,
                           std::size_t& got) override {
        ++m_reads;
        if (offset >= m_end) {
            got = 0;
            return {};
        }
        if (into.size() > m_end - offset) {
            into = into.first(static_cast<std::size_t>(m_end - offset));
        }
        const auto error = m_native->readAt(file, offset, into, got);
        m_bytes += got;
        return error;
    }
    std::error_code createNew(const char* path, rt::NativeFile& out) override {
        return m_native->createNew(path, out);
    }
    std::error_code openForWriting(const char* path, rt::NativeFile& out) override {
        return m_native->openForWriting(path, out);
    }
    std::error_code truncate(rt::NativeFile file, std::uint64_t size) override {
        return m_native->truncate(file, size);
    }
    std::error_code write(rt::NativeFile file, std::span<const std::byte> bytes,
                          std::size_t& written) override {
        return m_native->write(file, bytes, written);
    }
    std::error_code sync(rt::NativeFile file) override { return m_native->sync(file); }
    std::error_code close(rt::NativeFile file) override { return m_native->close(file); }
    std::error_code replace(const char* from, const char* to) override { return m_native->replace(from, to); }
    std::error_code rename(const char* from, const char* to) override { return m_native->rename(from, to); }
    std::error_code removeFile(const char* path) override { return m_native->removeFile(path); }
    std::error_code syncFolder(const char* folder) override { return m_native->syncFolder(folder); }
    bool exists(const char* path) override { return m_native->exists(path); }
    std::error_code namesIgnoringCase(const char* folder, std::string_view name,
                                      std::vector<std::string>& out) override {
        return m_native->namesIgnoringCase(folder, name, out);
    }
    std::error_code listFolder(const char* folder, std::string_view namePrefix,
                               std::vector<rt::FolderEntry>& out) override {
        return m_native->listFolder(folder, namePrefix, out);
    }
    std::error_code tryLockFolder(const char* folder, rt::NativeFile& out) override {
        return m_native->tryLockFolder(folder, out);
    }
    void unlockFolder(rt::NativeFile lock) override { m_native->unlockFolder(lock); }

  private:
    std::unique_ptr<rt::FileSystem> m_native;
    std::atomic<std::uint64_t> m_bytes{0};
    std::atomic<int> m_reads{0};
    std::atomic<std::uint64_t> m_end{UINT64_MAX};
};

}  // namespace version::test
