#pragma once

#include <string_view>

namespace keldwick {

// Each window's stored definition is named by the key of the module that
// defines it: the program's main unit, "$", the module's name.
inline constexpr std::string_view kFrameModuleKey = "KELDWICK$PROGRAMFRAME";
inline constexpr std::string_view kStatusModuleKey = "KELDWICK$STATUSWINDOW";

inline constexpr std::string_view kFrameWindowKey = "MAIN$APPFRAME";
inline constexpr std::string_view kStatusWindowKey = "GETREDIRINFO$WINDOW";

}  // namespace keldwick
