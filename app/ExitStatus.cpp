#include "ExitStatus.h"

#include "platform/base/ProgramEnd.h"

namespace keldwick {

static_assert(kStatusNoCheck == rt::kUnfinishedStatus, "a run with no check ends as one that cannot finish");

int exitStatusOf(CheckAnswer answer) {
    switch (answer) {
        case CheckAnswer::Ok:
            return kStatusOk;
        case CheckAnswer::Upgrade:
            return kStatusUpgrade;
        case CheckAnswer::Not95:
            return kStatusNot95;
        case CheckAnswer::Unknown:
            return kStatusUnknown;
        case CheckAnswer::ReportNotWritten:
            return kStatusReportNotWritten;
        case CheckAnswer::None:
            break;
    }
    return kStatusNoCheck;
}

}  // namespace keldwick
