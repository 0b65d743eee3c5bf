#include "VersionFile.h"

#include <algorithm>
#include <string>

namespace rt::version {

Result<VersionFile, Error> VersionFile::open(const char* path) {
    auto& files = rt::fileSystem();
    auto file = files.openForReading(path, rt::FileSystem::Follow::Links);
    if (!file) {
        return fail(Failure::OpenFailed, "cannot open the file: " + file.error().message(), file.error());
    }
    const auto status = files.status(*file);
    if (!status) {
        return fail(Failure::OpenFailed, "cannot examine the file: " + status.error().message(),
                    status.error());
    }
    if (!status->isRegular) {
        return fail(Failure::OpenFailed, "not a regular file");
    }
    return VersionFile(files, std::move(file).value(), status->size);
}

Result<void, Error> VersionFile::read(std::uint64_t offset, std::span<std::byte> into) {
    if (!fits(offset, into.size(), m_size)) {
        return fail(Failure::Truncated, "read at " + hex(offset) + " runs past the end of the file");
    }
    const auto inWindow =
        offset >= m_windowOffset && fits(offset - m_windowOffset, into.size(), m_window.size());
    if (!inWindow) {
        if (into.size() >= kWindowSize) {
            return readExactly(offset, into);
        }
        m_window.resize(static_cast<std::size_t>(std::min<std::uint64_t>(kWindowSize, m_size - offset)));
        m_windowOffset = offset;
        if (auto status = readExactly(offset, m_window); !status) {
            m_window.clear();
            return status;
        }
    }
    const auto from = m_window.begin() + static_cast<std::ptrdiff_t>(offset - m_windowOffset);
    std::copy_n(from, into.size(), into.begin());
    return {};
}

Result<void, Error> VersionFile::readExactly(std::uint64_t offset, std::span<std::byte> into) {
    const auto read = m_files->readAt(m_file, offset, into);
    if (!read) {
        return fail(Failure::ReadFailed,
                    "reading " + std::to_string(into.size()) + " bytes at " + hex(offset) +
                        " failed: " + read.error().message(),
                    read.error());
    }
    const auto got = read.value();
    if (got != into.size()) {
        return fail(Failure::ReadFailed, "the file ended at " + hex(offset + got) + " while " +
                                             std::to_string(into.size()) + " bytes were read at " +
                                             hex(offset) + "; it shrank after it was opened");
    }
    return {};
}

Result<VersionInfo, Error> loadVersionInfo(const char* path) {
    auto file = VersionFile::open(path);
    if (!file) {
        return file.error();
    }
    return readVersionInfo(*file);
}

}  // namespace rt::version
