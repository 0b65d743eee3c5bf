#include "CheckRun.h"

#include "check/DriverProbe.h"
#include "platform/Files.h"
#include "platform/ProfileWriter.h"
#include "platform/WholeFilePublisher.h"
#include "platform/WinApi.h"

namespace keldwick {

CStringBuffer<rt::kMaxPath> ReportPath;

namespace {

constexpr std::string_view kRequiredVersion = "4.00.1116";

// The report path for a directory, or nothing when the whole path does not
// fit: a cut path would name another file, which the reset would delete.
bool buildReportPath(const std::string& directory, CStringBuffer<rt::kMaxPath>& path) {
    if (directory.empty() || !path.tryAssign(directory)) {
        return false;
    }
    if (!rt::endsWithSeparator(directory) && !path.tryAppend(rt::kPathSeparatorText)) {
        return false;
    }
    return path.tryAppend(kReportFileName);
}

}  // namespace

void RESETREPORT(CheckRunLock& lock) {
    ReportPath.clear();
    const auto directory = rt::currentDirectory();
    CStringBuffer<rt::kMaxPath> path;
    if (!buildReportPath(directory, path)) {
        return;
    }
    ReportPath = path;
    lock.holdFolder(directory);
    rt::removeStaleTemporaries(ReportPath.c_str());
    rt::_remove(ReportPath.c_str());
}

VerdictField GETISWIN95() {
    os::OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    (void)os::GetVersionExA(&info);
    const VerdictField verdict(info.dwPlatformId == os::kPlatformWindows95Family ? "YES" : "NO");
    if (!ReportPath.isBlank()) {
        (void)rt::putProfileEntry(kReportSection, "ISWIN95", verdict.trimmed(), ReportPath.c_str());
    }
    return verdict;
}

std::string_view recommendation(const ResultField& IsWin95, const ResultField& DriverVersion) {
    if (DriverVersion == "UNKNOWN") {
        return "UNKNOWN";
    }
    if (!(IsWin95 == "YES")) {
        return "NOT95";
    }
    return DriverVersion == kRequiredVersion ? "OK" : "UPGRADE";
}

void CHECKVREDIR(ResultField& IsWin95, ResultField& DriverVersion, ResultField& Recommend) {
    CheckRunLock lock;
    RESETREPORT(lock);
    IsWin95 = GETISWIN95().trimmed();
    DriverVersion = GETDRIVERVERSION().trimmed();
    Recommend = recommendation(IsWin95, DriverVersion);
}

}  // namespace keldwick
