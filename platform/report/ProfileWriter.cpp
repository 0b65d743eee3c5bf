#include "ProfileWriter.h"

#include <span>
#include <string>

#include "ProfileBatch.h"
#include "ProfileText.h"
#include "WholeFilePublisher.h"
#include "platform/filesystem/FileSystem.h"

namespace rt {

namespace {

// Reads the current profile: a missing file, or a link planted at its name,
// reads as empty. Odd files (directories, FIFOs, devices) and oversized ones are refused.
Result<std::string, std::error_code> readCurrentProfile(const char* path) {
    auto& files = fileSystem();
    auto file = files.openForReading(path, FileSystem::Follow::NoLinks);
    if (!file) {
        const auto& error = file.error();
        if (error == std::errc::no_such_file_or_directory ||
            error == std::errc::too_many_symbolic_link_levels) {
            return std::string();
        }
        return error;
    }
    const auto status = files.status(*file);
    if (!status) {
        return status.error();
    }
    if (!status->isRegular) {
        return std::make_error_code(std::errc::operation_not_supported);
    }
    if (status->size > kMaxProfileBytes) {
        return std::make_error_code(std::errc::file_too_large);
    }
    std::string text(static_cast<std::size_t>(status->size), '\0');
    const auto got = files.readAt(*file, 0, std::as_writable_bytes(std::span(text)));
    if (!got) {
        return got.error();
    }
    // The file may have shrunk since fstat; a concurrent grower only loses its tail to the next put.
    text.resize(got.value());
    return text;
}

}  // namespace

Result<void, std::error_code> putProfileEntry(std::string_view section, std::string_view entry,
                                              std::string_view value, const char* path) {
    if (path == nullptr || *path == '\0' || !isValidSectionName(section) || !isValidEntryName(entry)) {
        return std::make_error_code(std::errc::invalid_argument);
    }
    if (auto* batch = ProfileBatch::openFor(path)) {
        batch->put(section, entry, value);
        return {};
    }
    const auto current = readCurrentProfile(path);
    if (!current) {
        return current.error();
    }
    return publishWholeFile(path, withProfileEntry(current.value(), section, entry, value));
}

}  // namespace rt
