#pragma once

#include <cstddef>
#include <string>
#include <system_error>

#include "platform/base/Result.h"

namespace keldwick {

// A report is under 100 bytes; a file many times that size is not one, and
// is not read at all, so that a huge file cannot slow the survey down.
inline constexpr std::size_t kMaxReportBytes = 4096;

enum class ReportFileProblem { CannotRead, NotRegular, TooLarge };

struct ReportFileError {
    ReportFileProblem problem = ReportFileProblem::CannotRead;
    std::error_code cause;  // for CannotRead
};

// The whole text of the file at `path`, read without following a link and
// without blocking on a FIFO or a device.
rt::Result<std::string, ReportFileError> loadReportFile(const std::string& path);

// The reason, in words.
std::string describe(const ReportFileError& error);

// An error of the system in words; on Windows with its number, since the
// runtime may know no text for it.
std::string describe(const std::error_code& error);

}  // namespace keldwick
