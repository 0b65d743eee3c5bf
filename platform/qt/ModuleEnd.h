#pragma once

#include <string_view>

namespace rt::qt {

// What the program says as it ends when an error in the window module got
// as far as a place where the module is called from outside.
inline constexpr std::string_view kModuleEndedByError = "the window module ended by an error";

}  // namespace rt::qt
