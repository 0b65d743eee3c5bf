#pragma once

#include <cstddef>
#include <span>
#include <string>

namespace keldwick::defc {

// What the walk makes of a stored definition, for a person: every piece it
// met, by origin offset, with the bytes nothing reached or that two pieces
// share; then the window description, or where and why the walk stopped.
struct Dump {
    std::string text;
    bool walked = false;
};

Dump dumpDefinition(std::span<const std::byte> stored);

}  // namespace keldwick::defc
