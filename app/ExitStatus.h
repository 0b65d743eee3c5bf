#pragma once

#include "ui/CheckAnswer.h"

namespace keldwick {

// The statuses of a run that asks for one with /STATUS, ordered for a batch
// file's IF ERRORLEVEL n, which holds for n and above: from 3 up the machine
// gets nothing to install. 0 is also every run that does not ask (a login
// script's old line keeps working), 1 a run that ended before any check did.
// Where the tables can agree they agree with the survey's: 0 nothing needs
// UPGRADE, 2 UPGRADE, 5 the output could not be written.
enum ExitStatus : int {
    kStatusOk = 0,
    kStatusNoCheck = 1,  // windows asked for cannot be shown, no frame, or memory ran out
    kStatusUpgrade = 2,
    kStatusNot95 = 3,
    kStatusUnknown = 4,
    kStatusReportNotWritten = 5,  // whatever the recommendation: the report is not this run's
};

int exitStatusOf(CheckAnswer answer);

}  // namespace keldwick
