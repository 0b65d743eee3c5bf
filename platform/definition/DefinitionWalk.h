#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "platform/definition/DefinitionError.h"
#include "platform/definition/WalkTrace.h"
#include "platform/definition/WindowDescription.h"

namespace rt::definition {

// Turns one stored definition into the description the window layer builds
// its window from. A pure function of its arguments: all state lives in the
// call, so any number of threads may walk the same bytes at once. It fails,
// never misbehaves, on any input; the error names both keys and the origin
// offset where the walk stopped.
[[nodiscard]] Result<WindowDescription, DefinitionError> walkDefinition(std::span<const std::byte> stored,
                                                                        std::string_view moduleKey,
                                                                        std::string_view windowKey);

// The same walk for tools: takes whatever keys are stored instead of checking
// them, and records every piece it meets, also when it fails part way.
[[nodiscard]] Result<WindowDescription, DefinitionError> inspectDefinition(std::span<const std::byte> stored,
                                                                           WalkTrace& trace);

}  // namespace rt::definition
