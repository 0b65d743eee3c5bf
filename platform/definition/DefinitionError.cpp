#include "platform/definition/DefinitionError.h"

#include "platform/base/HexText.h"

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
    // Negated as unsigned: the most negative offset has no positive twin.
    const auto bits = static_cast<std::uint64_t>(offset);
    const std::uint64_t magnitude = offset < 0 ? (~bits + 1U) : bits;
    std::string text = offset < 0 ? "-0x" : "0x";
    text += hexText(magnitude);
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
