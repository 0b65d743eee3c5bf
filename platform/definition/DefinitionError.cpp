#include "platform/definition/DefinitionError.h"

#include <cstdio>

namespace rt::definition {

std::string_view faultName(DefinitionFault fault) {
    switch (fault) {
        case DefinitionFault::NoDefinition:
            return "no stored definition";
        case DefinitionFault::TruncatedHeader:
            return "truncated header";
        case DefinitionFault::ModuleKeyMismatch:
            return "module key mismatch";
        case DefinitionFault::WindowKeyMismatch:
            return "window key mismatch";
        case DefinitionFault::OffsetOutOfBounds:
            return "offset out of bounds";
        case DefinitionFault::RecordPastEnd:
            return "record runs past the end";
        case DefinitionFault::UnknownKind:
            return "unknown record kind";
        case DefinitionFault::UnexpectedKind:
            return "unexpected record kind";
        case DefinitionFault::UnterminatedText:
            return "unterminated text";
        case DefinitionFault::ChainLoop:
            return "chain loops";
        case DefinitionFault::TooManyRecords:
            return "too many records";
    }
    return "unknown fault";
}

namespace {

std::string formatOffset(std::int64_t offset) {
    char text[32];
    const auto magnitude = static_cast<unsigned long long>(offset < 0 ? -offset : offset);
    std::snprintf(text, sizeof text, "%s0x%llX", offset < 0 ? "-" : "", magnitude);
    return text;
}

}  // namespace

std::string DefinitionError::message() const {
    std::string out = "window definition \"" + moduleKey + "\" / \"" + windowKey + "\": ";
    out += faultName(fault);
    if (fault != DefinitionFault::NoDefinition) {
        out += " at origin offset " + formatOffset(offset);
    }
    if (!detail.empty()) {
        out += " (" + detail + ")";
    }
    return out;
}

}  // namespace rt::definition
