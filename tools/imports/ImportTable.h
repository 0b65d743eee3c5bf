#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/base/Result.h"

namespace keldwick::imports {

// One function a PE file asks the loader for.
struct Import {
    std::string dll;   // as the file spells it
    std::string name;  // empty when imported by ordinal
    std::uint16_t ordinal = 0;
    bool delayed = false;
};

// What the Windows 95 family's loader looks at before it runs a program:
// the machine, the optional header's kind and versions, and every import.
struct PeImage {
    std::uint16_t machine = 0;
    bool isPe32Plus = false;
    std::uint16_t subsystem = 0;
    std::uint16_t subsystemMajor = 0;
    std::uint16_t subsystemMinor = 0;
    std::uint16_t osMajor = 0;
    std::uint16_t osMinor = 0;
    std::vector<Import> imports;
};

// Reads the headers and the import and delay-import tables of a PE file held
// whole in memory. Every count and offset comes from the file, so each is
// checked against what the file holds; the error says what did not fit.
rt::Result<PeImage, std::string> readPeImage(std::span<const std::byte> file);

}  // namespace keldwick::imports
