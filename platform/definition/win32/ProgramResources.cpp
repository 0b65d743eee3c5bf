#include <windows.h>

#include <string>

#include "platform/definition/StoredDefinitions.h"

// On Windows the stored definitions are real resources of the program file
// (compiled from the .rc file the build writes), so no table is embedded.
namespace rt::definition {

std::optional<std::span<const std::byte>> findStoredDefinition(std::string_view moduleKey) {
    const auto name = resourceNameFor(moduleKey);
    if (name.empty()) {
        return std::nullopt;
    }
    const std::string type(kResourceType);
    HMODULE program = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceExA(program, type.c_str(), name.c_str(), kResourceLanguage);
    if (found == nullptr) {
        return std::nullopt;
    }
    // A loaded resource stays mapped for the life of the module; nothing to release.
    HGLOBAL loaded = LoadResource(program, found);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) {
        return std::nullopt;
    }
    const auto size = static_cast<std::size_t>(SizeofResource(program, found));
    return std::span<const std::byte>(static_cast<const std::byte*>(data), size);
}

}  // namespace rt::definition
