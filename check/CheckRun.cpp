#include "CheckRun.h"

#include <chrono>
#include <string>

#include "check/DriverProbe.h"
#include "platform/base/ErrorLine.h"
#include "platform/report/ProfileWriter.h"
#include "platform/system/Files.h"
#include "platform/system/WinApi.h"

namespace keldwick {

rt::CStringBuffer<rt::kMaxPath> ReportPath;

namespace {

// The report path for a directory, or nothing when the whole path does not
// fit: a cut path would name another file, which the reset would delete.
bool buildReportPath(const std::string& directory, rt::CStringBuffer<rt::kMaxPath>& path) {
    if (directory.empty() || !path.tryAssign(directory)) {
        return false;
    }
    if (!rt::endsWithSeparator(directory) && !path.tryAppend(rt::kPathSeparatorText)) {
        return false;
    }
    return path.tryAppend(kReportFileName);
}

// A report that could not be written is told at once, in one line, whatever
// the caller makes of the answer.
ReportNotWritten tellReportNotWritten(std::string file, std::string reason) {
    rt::tellErrorLine({"cannot write the report ", file, ": ", reason});
    return {std::move(file), std::move(reason)};
}

// The report stays where it is and as it is: another run may be about to
// publish into it, and an older check must not land on a newer one.
std::string lockFailure(const std::error_code& failure) {
    std::string reason;
    if (failure == std::errc::resource_unavailable_try_again) {
        const auto wait = CheckRunLock::folderWait();
        reason = "another check kept the folder locked for more than " +
                 (wait.count() % 1000 == 0 ? std::to_string(wait.count() / 1000) + " s"
                                           : std::to_string(wait.count()) + " ms");
    } else {
        reason = "the folder cannot be locked (" + failure.message() + ")";
    }
    return reason + "; the report there is left as it was and is not this run's";
}

// Written, but a power loss may take it back: said, never undone.
void tellNotFlushed(const std::string& file, const std::error_code& cause) {
    rt::tellErrorLine({"warning: the report ", file, " was written but could not be flushed to disk (",
                       cause.message(), "); a power loss may undo it"});
}

std::string reportPathWithin(const std::string& directory) {
    std::string path = directory;
    if (!rt::endsWithSeparator(path)) {
        path += rt::kPathSeparator;
    }
    return path + std::string(kReportFileName);
}

}  // namespace

rt::Result<void, ReportNotWritten> RESETREPORT(CheckRunLock& lock, rt::ProfileBatch& report) {
    ReportPath.clear();
    const auto directory = rt::currentDirectory();
    rt::CStringBuffer<rt::kMaxPath> path;
    if (!buildReportPath(directory, path)) {
        // No full path names the report, but its bare name still does, in the
        // current folder: the old report goes, as the reset promises, rather
        // than pass for this run's.
        (void)rt::_remove(std::string(kReportFileName).c_str());
        if (directory.empty()) {
            return tellReportNotWritten(std::string(kReportFileName), "the current folder cannot be read");
        }
        return tellReportNotWritten(
            reportPathWithin(directory),
            "the path is longer than " + std::to_string(rt::kMaxPath - 1) + " characters");
    }
    ReportPath = path;
    lock.holdFolder(directory);
    if (!lock.holdsFolder()) {
        return tellReportNotWritten(std::string(path.view()), lockFailure(lock.folderFailure()));
    }
    report.open(std::string(ReportPath.view()));
    return {};
}

rt::Result<void, ReportNotWritten> publishReport(const CheckRunLock& lock, rt::ProfileBatch& report) {
    if (!report.isOpen()) {
        return {};
    }
    const auto published = report.publish(lock.holdsFolder() ? rt::InPlace::Allowed : rt::InPlace::Refused);
    if (!published) {
        const auto& error = published.error();
        auto reason = error.cause.message();
        if (error.oldFileRemains) {
            reason += "; the old report could not be removed and is out of date";
        }
        return tellReportNotWritten(report.path(), std::move(reason));
    }
    if (const auto& notFlushed = published->notFlushed) {
        tellNotFlushed(report.path(), notFlushed);
    }
    return {};
}

VerdictField GETISWIN95() {
    rt::os::OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    (void)rt::os::GetVersionExA(&info);
    const VerdictField verdict(info.dwPlatformId == rt::os::kPlatformWindows95Family ? "YES" : "NO");
    if (!ReportPath.isBlank()) {
        (void)rt::putProfileEntry(kReportSection, kIsWin95Entry, verdict.trimmed(), ReportPath.c_str());
    }
    return verdict;
}

rt::Result<void, ReportNotWritten> CHECKVREDIR(ResultField& IsWin95, ResultField& DriverVersion,
                                               ResultField& Recommend) {
    CheckRunLock lock;
    rt::ProfileBatch report;
    auto reset = RESETREPORT(lock, report);
    IsWin95 = GETISWIN95().trimmed();
    DriverVersion = GETDRIVERVERSION().trimmed();
    Recommend = recommendation(IsWin95.trimmed(), DriverVersion.trimmed());
    if (!reset) {
        return reset;
    }
    return publishReport(lock, report);
}

}  // namespace keldwick
