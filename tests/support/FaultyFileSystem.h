#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/filesystem/FileSystem.h"

namespace rt::test {

// Passes every call to the machine's file system, except that it can make the
// Nth call fail (once, or that one and every later one), and it records the
// paths that calls name, so tests can prove what was never touched.
class FaultyFileSystem final : public rt::FileSystem {
  public:
    template <typename T>
    using Result = rt::Result<T, std::error_code>;

    enum class Mode { Once, Persistent };

    FaultyFileSystem();

    void failCall(int n, Mode mode, std::errc error = std::errc::io_error);
    // Answers every replace as Windows 95, 98 and Me do: not implemented.
    void withoutOneStepReplace() { m_noReplace = true; }
    void denyAll() { failCall(1, Mode::Persistent, std::errc::permission_denied); }
    // Every later create of a new file fails, as in a folder that takes no new file.
    void refuseNewFiles(std::errc error) { m_refusedNew = static_cast<int>(error); }
    // A folder the process may not write in: no new file, no removal.
    void asReadOnlyFolder() {
        refuseNewFiles(std::errc::permission_denied);
        m_refusedRemoval = true;
    }
    // Every call naming a path that ends with `name` fails with `error`.
    void failPathsEndingWith(std::string name, std::errc error) {
        std::lock_guard lock(m_mutex);
        m_failingName = std::move(name);
        m_failingNameError = error;
    }
    // The first write fails, half done, as on a full disk.
    void failFirstWrite(std::errc error) { m_firstWriteFailure = static_cast<int>(error); }
    int calls() const { return m_calls.load(); }
    bool failedAny() const { return m_failed.load(); }
    std::vector<std::string> touchedPaths() const;

    Result<rt::File> openForReading(const char* path, Follow follow) override;
    Result<rt::FileStatus> status(const rt::File& file) override;
    Result<std::size_t> readAt(const rt::File& file, std::uint64_t offset,
                               std::span<std::byte> into) override;
    Result<rt::File> createNew(const char* path) override;
    Result<rt::File> openForWriting(const char* path) override;
    Result<void> truncate(const rt::File& file, std::uint64_t size) override;
    Result<std::size_t> writeAt(const rt::File& file, std::uint64_t offset,
                                std::span<const std::byte> bytes) override;
    Result<void> sync(const rt::File& file) override;
    Result<void> replace(const char* from, const char* to) override;
    Result<void> rename(const char* from, const char* to) override;
    Result<void> removeFile(const char* path) override;
    Result<void> syncFolder(const char* folder) override;
    bool exists(const char* path) override;
    Result<std::vector<std::string>> namesIgnoringCase(const char* folder, std::string_view name) override;
    Result<std::vector<rt::FolderEntry>> listFolder(const char* folder, std::string_view namePrefix) override;
    Result<rt::LockedFolder> tryLockFolder(const char* folder) override;

  protected:
    Result<void> close(rt::NativeFile file) override;
    void unlockFolder(rt::NativeFile lock) override;

  private:
    Result<rt::File> adopted(Result<rt::File> opened);
    // Counts a call; returns the injected error when this call is to fail.
    std::error_code fault(const char* path = nullptr);

    std::unique_ptr<rt::FileSystem> m_native;
    std::atomic<int> m_calls{0};
    std::atomic<int> m_failAt{0};
    std::atomic<bool> m_persistent{false};
    std::atomic<bool> m_failed{false};
    std::atomic<int> m_refusedNew{0};
    std::atomic<bool> m_noReplace{false};
    std::atomic<bool> m_refusedRemoval{false};
    std::atomic<int> m_firstWriteFailure{0};
    std::errc m_error = std::errc::io_error;
    mutable std::mutex m_mutex;
    std::vector<std::string> m_paths;
    std::string m_failingName;
    std::errc m_failingNameError = std::errc::io_error;
};

}  // namespace rt::test
