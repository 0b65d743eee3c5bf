#include "platform/definition/StoredDefinitions.h"

#include "platform/definition/DefinitionWalk.h"

namespace rt::definition {

Result<WindowDescription, DefinitionError> loadWindowDescription(std::string_view moduleKey,
                                                                 std::string_view windowKey) {
    const auto stored = findStoredDefinition(moduleKey);
    if (!stored) {
        return DefinitionError{DefinitionFault::NoDefinition, std::string(moduleKey), std::string(windowKey),
                               0, "no resource " + resourceNameFor(moduleKey)};
    }
    return walkDefinition(*stored, moduleKey, windowKey);
}

}  // namespace rt::definition
