#include "FrameNotices.h"

#include <string>

#include "HiddenMode.h"
#include "check/ReportNames.h"
#include "platform/system/Files.h"
#include "platform/window/Runtime.h"

namespace keldwick {

void showReportOutcome(const rt::Result<void, ReportNotWritten>& outcome) {
    if (HiddenMode) {
        return;
    }
    if (outcome) {
        rt::setStatusZone(kReportZone, "", "");
        return;
    }
    const auto& failure = outcome.error();
    rt::setStatusZone(kReportZone, "Report not written", failure.file + ": " + failure.reason);
}

// The check builds the report's path from the current folder, which the
// program never changes: before any check ran it is already the one.
void describeProgram() {
    rt::setAboutText("keldwick " KELDWICK_VERSION "\n\nThe report, " + std::string(kReportFileName) +
                     ", is written to the folder\n" + rt::currentDirectory());
}

}  // namespace keldwick
