#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace testing_support {

// Passes every call to the machine's file system, except that it can make the
// Nth call fail (once, or that one and every later one), and it records the
// paths that calls name, so tests can prove what was never touched.
class FaultyFileSystem final : public rt::FileSystem {
  public:
    enum class Mode { Once, Persistent };

    FaultyFileSystem();

    void failCall(int n, Mode mode, std::errc error = std::errc::io_error);
    // Answers every replace as Windows 95, 98 and Me do: not implemented.
    void withoutOneStepReplace() { m_noReplace = true; }
    void denyAll() { failCall(1, Mode::Persistent, std::errc::permission_denied); }
    // Every later create of a new file fails, as in a folder that takes no new file.
    void refuseNewFiles(std::errc error) { m_refusedNew = static_cast<int>(error); }
    int calls() const { return m_calls.load(); }
    bool failedAny() const { return m_failed.load(); }
    std::vector<std::string> touchedPaths() const;

    std::error_code openForReading(const char* path, Follow follow, rt::NativeFile& out) override;
    std::error_code status(rt::NativeFile file, rt::FileStatus& out) override;
    std::error_code readAt(rt::NativeFile file, std::uint64_t offset, std::span<std::byte> into,
                           std::size_t& got) override;
    std::error_code createNew(const char* path, rt::NativeFile& out) override;
    std::error_code openForWriting(const char* path, rt::NativeFile& out) override;
    std::error_code truncate(rt::NativeFile file, std::uint64_t size) override;
    std::error_code write(rt::NativeFile file, std::span<const std::byte> bytes,
                          std::size_t& written) override;
    std::error_code sync(rt::NativeFile file) override;
    std::error_code close(rt::NativeFile file) override;
    std::error_code replace(const char* from, const char* to) override;
    std::error_code rename(const char* from, const char* to) override;
    std::error_code removeFile(const char* path) override;
    std::error_code syncFolder(const char* folder) override;
    bool exists(const char* path) override;
    std::error_code namesIgnoringCase(const char* folder, std::string_view name,
                                      std::vector<std::string>& out) override;
    std::error_code listFolder(const char* folder, std::string_view namePrefix,
                               std::vector<rt::FolderEntry>& out) override;
    std::error_code tryLockFolder(const char* folder, rt::NativeFile& out) override;
    void unlockFolder(rt::NativeFile lock) override;

  private:
    // Counts a call; returns the injected error when this call is to fail.
    std::error_code fault(const char* path = nullptr);

    std::unique_ptr<rt::FileSystem> m_native;
    std::atomic<int> m_calls{0};
    std::atomic<int> m_failAt{0};
    std::atomic<bool> m_persistent{false};
    std::atomic<bool> m_failed{false};
    std::atomic<int> m_refusedNew{0};
    std::atomic<bool> m_noReplace{false};
    std::errc m_error = std::errc::io_error;
    mutable std::mutex m_mutex;
    std::vector<std::string> m_paths;
};

}  // namespace testing_support
