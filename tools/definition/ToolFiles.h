#pragma once

#include <cstddef>
#include <span>
#include <string>

#include "tools/definition/ToolResult.h"

namespace defc {

[[nodiscard]] ToolResult<std::string> readWholeFile(const std::string& path);
// Replaces the file; the message names the path when it cannot.
[[nodiscard]] ToolResult<bool> writeWholeFile(const std::string& path, std::span<const std::byte> bytes);
[[nodiscard]] ToolResult<bool> writeWholeFile(const std::string& path, const std::string& text);

}  // namespace defc
