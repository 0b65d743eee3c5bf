#pragma once

#include <string_view>

namespace keldwick {

// Hidden mode is asked for by "HIDE" anywhere in the parameters, in any
// letter case, even inside a longer word (/NOHIDE, HIDEAWAY).
bool asksForHiddenMode(std::string_view parameters);

}  // namespace keldwick
