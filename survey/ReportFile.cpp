#include "ReportFile.h"

#include <cstddef>
#include <span>

#include "platform/filesystem/FileSystem.h"

namespace keldwick {

namespace {

ReportFileError cannotRead(std::error_code cause) {
    return {ReportFileProblem::CannotRead, cause};
}

}  // namespace

rt::Result<std::string, ReportFileError> loadReportFile(const std::string& path) {
    auto& files = rt::fileSystem();
    auto file = files.openForReading(path.c_str(), rt::FileSystem::Follow::NoLinks);
    if (!file) {
        return cannotRead(file.error());
    }
    const auto status = files.status(*file);
    if (!status) {
        return cannotRead(status.error());
    }
    if (!status->isRegular) {
        return ReportFileError{ReportFileProblem::NotRegular, {}};
    }
    if (status->size > kMaxReportBytes) {
        return ReportFileError{ReportFileProblem::TooLarge, {}};
    }
    // One byte more than allowed tells a file that grew since its status was taken.
    std::string text(kMaxReportBytes + 1, '\0');
    const auto read = files.readAt(*file, 0, std::as_writable_bytes(std::span(text.data(), text.size())));
    if (!read) {
        return cannotRead(read.error());
    }
    if (*read > kMaxReportBytes) {
        return ReportFileError{ReportFileProblem::TooLarge, {}};
    }
    text.resize(*read);
    return text;
}

std::string describe(const ReportFileError& error) {
    switch (error.problem) {
        case ReportFileProblem::CannotRead:
            return "cannot be read: " + describe(error.cause);
        case ReportFileProblem::NotRegular:
            return "not a report: not a regular file";
        case ReportFileProblem::TooLarge:
            return "not a report: larger than " + std::to_string(kMaxReportBytes) + " bytes";
    }
    return "cannot be read";
}

std::string describe(const std::error_code& error) {
    auto text = error.message();
    if (error.category() == std::system_category()) {
        text += " (system error " + std::to_string(error.value()) + ")";
    }
    return text;
}

}  // namespace keldwick
