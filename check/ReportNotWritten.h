#pragma once

#include <string>

namespace keldwick {

// Why a check's report did not reach its file, for whoever started the check:
// standard error, the login script's status and the window all tell it.
struct ReportNotWritten {
    std::string file;    // the report's path, as far as it could be built
    std::string reason;  // what stopped it, in words for a person
};

}  // namespace keldwick
