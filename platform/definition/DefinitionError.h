#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/base/Result.h"

namespace rt::definition {

using rt::Result;

enum class DefinitionFault : std::uint8_t {
    NoDefinition,       // nothing stored under the module key
    TruncatedHeader,    // fewer bytes than the header needs
    ModuleKeyMismatch,  // the stored key is not the one asked for
    WindowKeyMismatch,  // the window record names another window
    OffsetOutOfBounds,  // an offset is negative, points into the header or past the end
    RecordPastEnd,      // a record or sub-record starts inside but runs past the end
    UnknownKind,        // a record's kind is none the walk knows
    UnexpectedKind,     // a known kind where the chain allows another one
    UnterminatedText,   // a text has no NUL within the definition or the length limit
    ChainLoop,          // a chain reaches a record it has already passed
    TooManyRecords,     // more records than any window could hold
};

std::string_view faultName(DefinitionFault fault);

// Why a stored definition could not be walked: names the definition and the
// place where the walk stopped, so that a report on standard error is enough to
// find the damaged byte with the dump tool.
struct DefinitionError {
    DefinitionFault fault = DefinitionFault::NoDefinition;
    std::string moduleKey;
    std::string windowKey;
    // Origin offset where the walk stopped; header positions are negative.
    std::int64_t offset = 0;
    std::string detail;

    // One line, without a trailing newline.
    std::string message() const;
};

}  // namespace rt::definition
