#pragma once

#include <cstddef>
#include <span>
#include <string>

#include "tools/definition/ToolMessage.h"

namespace keldwick::defc {

[[nodiscard]] Result<std::string, ToolMessage> readWholeFile(const std::string& path);
// Replaces the file; the message names the path when it cannot.
[[nodiscard]] Result<void, ToolMessage> writeWholeFile(const std::string& path,
                                                       std::span<const std::byte> bytes);
[[nodiscard]] Result<void, ToolMessage> writeWholeFile(const std::string& path, const std::string& text);

}  // namespace keldwick::defc
