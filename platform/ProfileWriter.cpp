#include "ProfileWriter.h"

#include <string>

#include "FileSystem.h"
#include "ProfileBatch.h"
#include "ProfileText.h"
#include "WholeFilePublisher.h"

namespace rt {

namespace {

// Reads the current profile: a missing file, or a link planted at its name,
// reads as empty. Odd files (directories, FIFOs, devices) and oversized ones are refused.
std::error_code readCurrentProfile(const char* path, std::string& text) {
    text.clear();
    NativeFile native = kNoFile;
    const auto opened = fileSystem().openForReading(path, FileSystem::Follow::NoLinks, native);
    if (opened == std::errc::no_such_file_or_directory ||
        opened == std::errc::too_many_symbolic_link_levels) {
        return {};
    }
    if (opened) {
        return opened;
    }
    File file(native);
    FileStatus status;
    if (auto error = fileSystem().status(file.native(), status)) {
        return error;
    }
    if (!status.isRegular) {
        return std::make_error_code(std::errc::operation_not_supported);
    }
    if (status.size > kMaxProfileBytes) {
        return std::make_error_code(std::errc::file_too_large);
    }
    text.resize(static_cast<std::size_t>(status.size));
    std::size_t got = 0;
    if (auto error = fileSystem().readAt(file.native(), 0, std::as_writable_bytes(std::span(text)), got)) {
        return error;
    }
    // The file may have shrunk since fstat; a concurrent grower only loses its tail to the next put.
    text.resize(got);
    return {};
}

}  // namespace

std::error_code putProfileEntry(std::string_view section, std::string_view entry, std::string_view value,
                                const char* path) {
    if (path == nullptr || *path == '\0' || !isValidSectionName(section) || !isValidEntryName(entry)) {
        return std::make_error_code(std::errc::invalid_argument);
    }
    if (auto* batch = ProfileBatch::openFor(path)) {
        batch->put(section, entry, value);
        return {};
    }
    std::string current;
    if (auto error = readCurrentProfile(path, current)) {
        return error;
    }
    return publishWholeFile(path, withProfileEntry(current, section, entry, value));
}

}  // namespace rt
