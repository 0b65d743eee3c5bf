#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace rt::definition {

// One named resource built into the program, the way a Windows program file
// carries its resources: a type name, a resource name and a language.
struct ResourceEntry {
    std::string_view typeName;
    std::string_view name;
    std::uint16_t language = 0;
    const unsigned char* data = nullptr;
    std::size_t size = 0;

    std::span<const std::byte> bytes() const { return std::as_bytes(std::span(data, size)); }
};

// The program's embedded resources where the platform has no resources in
// its program files. The build generates the definition from the window
// descriptions (target keldwick_windowdefs); every program that prepares
// windows links it.
std::span<const ResourceEntry> embeddedResources();

}  // namespace rt::definition
