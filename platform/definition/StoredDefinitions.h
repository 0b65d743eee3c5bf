#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/base/AsciiCase.h"
#include "platform/definition/DefinitionError.h"
#include "platform/definition/WindowDescription.h"

namespace rt::definition {

// Stored definitions are resources of this type, in US English, each named
// after its module: the part of the module key after "$" in capitals, then "_RSC".
inline constexpr std::string_view kResourceType = "WINDOWDEF";
inline constexpr std::uint16_t kResourceLanguage = 1033;

// The resource name for a module key; empty when the key has no module part.
// Inline so that build tools can name resources without linking a lookup.
inline std::string resourceNameFor(std::string_view moduleKey) {
    const auto dollar = moduleKey.find('$');
    if (dollar == std::string_view::npos || dollar + 1 == moduleKey.size()) {
        return {};
    }
    return toAsciiUpper(moduleKey.substr(dollar + 1)) + "_RSC";
}

// The stored definition of a module, or nothing when the program carries none
// for that key. The bytes live as long as the program.
[[nodiscard]] std::optional<std::span<const std::byte>> findStoredDefinition(std::string_view moduleKey);

// What a window procedure's prepare call needs: finds the module's stored
// definition and walks it for the window key.
[[nodiscard]] Result<WindowDescription, DefinitionError> loadWindowDescription(std::string_view moduleKey,
                                                                               std::string_view windowKey);

}  // namespace rt::definition
