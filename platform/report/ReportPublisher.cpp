#include "ReportPublisher.h"

#include "InPlaceRewrite.h"
#include "WholeFilePublisher.h"
#include "platform/filesystem/FileSystem.h"

namespace rt {

Result<Published, PublishError> publishReport(const char* path, std::string_view text, InPlace inPlace) {
    std::error_code cause;
    if (!text.empty()) {
        auto published = publishWholeFile(path, text);
        if (published) {
            return published.value();
        }
        cause = published.error();
        if (inPlace == InPlace::Allowed) {
            if (auto rewritten = rewriteInPlace(path, text, cause); rewritten) {
                return rewritten.value();
            }
        }
    }
    const auto removed = fileSystem().removeFile(path);
    if (!removed && removed.error() != std::errc::no_such_file_or_directory) {
        return PublishError{cause ? cause : removed.error(), true};
    }
    if (cause) {
        return PublishError{cause, false};
    }
    return Published{};
}

}  // namespace rt
