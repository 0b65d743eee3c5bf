#pragma once

#include <cstddef>
#include <vector>

#include "platform/definition/WindowDescription.h"
#include "tools/definition/ToolMessage.h"

namespace keldwick::defc {

// Lays a window description out as a stored definition in the order the
// program's definitions use: header; the window's title, window key, font and
// zones (rightmost first); the window record; the menu bar with each menu's
// texts and record followed by its items'; then each control's texts and
// sub-records followed by its record. Open fields get the values every
// definition made for the program carries.
[[nodiscard]] Result<std::vector<std::byte>, ToolMessage> compileDefinition(
    const rt::definition::WindowDescription& window);

}  // namespace keldwick::defc
