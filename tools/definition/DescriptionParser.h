#pragma once

#include <string_view>

#include "platform/definition/WindowDescription.h"
#include "tools/definition/ToolMessage.h"

namespace keldwick::defc {

// Reads the text form of one window (one line per window attribute, menu
// entry or control; see ui/definitions/ for both windows) into the
// description the walk of its compiled form must give back: control fonts come
// out resolved against the window's font, exactly as the walk resolves them.
[[nodiscard]] Result<rt::definition::WindowDescription, ToolMessage> parseDescription(std::string_view text);

}  // namespace keldwick::defc
