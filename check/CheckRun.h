#pragma once

#include "check/CheckRunLock.h"
#include "check/Recommendation.h"
#include "check/ReportNames.h"
#include "check/ReportNotWritten.h"
#include "platform/base/CStringBuffer.h"
#include "platform/base/Paths.h"
#include "platform/base/TextField.h"
#include "platform/report/ProfileBatch.h"

namespace keldwick {

using ResultField = rt::TextField<40>;
using VerdictField = rt::TextField<20>;

// The full path of the report; blank until a check run builds it, and blank
// whenever the current directory cannot be read or the path would not fit.
// Used only under a CheckRunLock.
extern rt::CStringBuffer<rt::kMaxPath> ReportPath;

// One complete check: resets the report, probes the platform and the driver,
// and derives the recommendation. Always fills all three fields. The reset and
// the entries reach the file together, at the end: a reader finds the old
// report or the new one, never part of one, whatever stops the check. The
// answer says whether this check's report reached its file, and if not why;
// standard error has already said so.
rt::Result<void, ReportNotWritten> CHECKVREDIR(ResultField& IsWin95, ResultField& DriverVersion,
                                               ResultField& Recommend);

// Builds ReportPath from the current directory, takes the report folder's
// lock and opens `report` on the report: from here on the report starts
// empty, as though deleted, and the probes' entries collect in it. Where no
// path names the report, or the lock is not had in time, the answer says why
// and the batch stays closed: the probes' puts are then refused.
rt::Result<void, ReportNotWritten> RESETREPORT(CheckRunLock& lock, rt::ProfileBatch& report);

// Puts the collected report in place of the old one. Where that cannot be
// done the old one is removed, and standard error says which file and why.
// A report written but not flushed to disk is written; standard error warns.
rt::Result<void, ReportNotWritten> publishReport(const CheckRunLock& lock, rt::ProfileBatch& report);

// "YES" for the Windows 95 family, else "NO"; writes ISWIN95 to the report.
VerdictField GETISWIN95();

}  // namespace keldwick
