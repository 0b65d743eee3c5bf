#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ByteSource.h"
#include "VersionLocator.h"
#include "platform/filesystem/FileSystem.h"

namespace rt::version {

// A regular file opened for the locators, through the file-system seam. It
// never reads the whole file: each read that misses its window fills the
// window (a few KiB) from that offset, so the MZ, PE and section headers come
// in one read, the resource directories in another, the block in a third.
// Closed when it goes out of scope.
class VersionFile final : public ByteSource {
  public:
    static constexpr std::size_t kWindowSize = 4096;

    // Opens without blocking (a FIFO or device never stalls) and refuses
    // anything that is not a regular file once open.
    static Result<VersionFile, Error> open(const char* path);

    VersionFile(VersionFile&&) noexcept = default;
    VersionFile& operator=(VersionFile&&) noexcept = default;

    std::uint64_t size() const override { return m_size; }
    Result<void, Error> read(std::uint64_t offset, std::span<std::byte> into) override;

  private:
    VersionFile(rt::FileSystem& files, rt::File file, std::uint64_t size)
        : m_files(&files), m_file(std::move(file)), m_size(size) {}

    Result<void, Error> readExactly(std::uint64_t offset, std::span<std::byte> into);

    rt::FileSystem* m_files;  // the one that opened the file
    rt::File m_file;
    std::uint64_t m_size = 0;
    std::vector<std::byte> m_window;
    std::uint64_t m_windowOffset = 0;
};

// Opens the file and reads its version information.
Result<VersionInfo, Error> loadVersionInfo(const char* path);

}  // namespace rt::version
