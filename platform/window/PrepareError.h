#pragma once

#include <cstdint>
#include <string>

namespace rt {

enum class PrepareFault : std::uint8_t {
    NotAWindowThread,  // a thread the runtime did not start has no window of its own
    NoDefinition,      // the stored definition is missing or cannot be walked
    FieldsDoNotMatch,  // the bound fields and the value displays disagree
};

// Why a window could not be prepared.
struct PrepareError {
    PrepareFault fault = PrepareFault::NoDefinition;
    // One line that names the module and window keys where they were known.
    std::string message;
};

}  // namespace rt
