#include "ReportPublisher.h"

#include <span>

#include "WholeFilePublisher.h"
#include "platform/filesystem/FileSystem.h"

namespace rt {

namespace {

// The fallback where the folder takes no new file but the old one may be
// written: the profile writers of Windows always work this way. The file is
// emptied before the text goes in with one write, so a crash leaves the old
// text, no text or the new text, never a mix of the two. Only a regular file
// with no other name is rewritten: a second name would carry the new text to
// a file that is not the report.
Result<void, std::error_code> rewriteInPlace(const char* path, std::string_view bytes) {
    auto& files = fileSystem();
    auto file = files.openForWriting(path);
    if (!file) {
        return file.error();
    }
    const auto status = files.status(*file);
    if (!status) {
        return status.error();
    }
    if (!status->isRegular || status->links != 1) {
        return std::make_error_code(std::errc::operation_not_supported);
    }
    if (auto emptied = files.truncate(*file, 0); !emptied) {
        return emptied;
    }
    const auto written = files.write(*file, std::as_bytes(std::span(bytes)));
    if (!written || written.value() != bytes.size()) {
        // A part of the text must not stay even if the caller cannot remove the file.
        (void)files.truncate(*file, 0);
        return written ? std::make_error_code(std::errc::io_error) : written.error();
    }
    if (auto synced = files.sync(*file); !synced) {
        return synced;
    }
    return file->close();
}

}  // namespace

Result<void, PublishError> publishReport(const char* path, std::string_view text, InPlace inPlace) {
    std::error_code cause;
    if (!text.empty()) {
        const auto published = publishWholeFile(path, text);
        if (published) {
            return {};
        }
        cause = published.error();
        if (inPlace == InPlace::Allowed && rewriteInPlace(path, text)) {
            return {};
        }
    }
    const auto removed = fileSystem().removeFile(path);
    if (!removed && removed.error() != std::errc::no_such_file_or_directory) {
        return PublishError{cause ? cause : removed.error(), true};
    }
    if (cause) {
        return PublishError{cause, false};
    }
    return {};
}

}  // namespace rt
