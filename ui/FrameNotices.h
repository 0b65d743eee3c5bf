#pragma once

#include "check/ReportNotWritten.h"
#include "platform/base/Result.h"

namespace keldwick {

// The frame's status-bar zone that says whether the latest check's report
// reached its file: the third, wide enough for its words.
inline constexpr int kReportZone = 3;

// Tells the frame how the check just made went for its report: "Report not
// written", with the file and the reason for whoever points at it; a written
// report leaves the zone empty. Unseen runs show nothing.
void showReportOutcome(const rt::Result<void, ReportNotWritten>& outcome);

// Gives the frame's About box the program's name, its version and the folder
// the report is written to.
void describeProgram();

}  // namespace keldwick
