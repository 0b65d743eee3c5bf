#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace keldwick::defc {

struct CompiledResource {
    std::string name;  // e.g. STATUSWINDOW_RSC
    std::vector<std::byte> bytes;
    std::string binaryPath;  // where the build wrote the bytes; for the resource script
};

// C++ source defining rt::definition::embeddedResources() over the given stored
// definitions, for platforms whose program files carry no resources.
std::string embeddedTableSource(const std::vector<CompiledResource>& resources);

// A resource script that puts the same definitions into a Windows program
// file as resources of the definition type, in US English.
std::string resourceScript(const std::vector<CompiledResource>& resources);

}  // namespace keldwick::defc
