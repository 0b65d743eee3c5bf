#include "platform/definition/ResourceTable.h"
#include "platform/definition/StoredDefinitions.h"

namespace rt::definition {

std::optional<std::span<const std::byte>> findStoredDefinition(std::string_view moduleKey) {
    const auto name = resourceNameFor(moduleKey);
    if (name.empty()) {
        return std::nullopt;
    }
    for (const auto& entry : embeddedResources()) {
        if (entry.typeName == kResourceType && entry.name == name && entry.language == kResourceLanguage) {
            return entry.bytes();
        }
    }
    return std::nullopt;
}

}  // namespace rt::definition
