#pragma once

#include <string_view>

namespace rt {

// Shows a text that the person asked for on the command line (how to start
// the program, its version) where they can read it: on standard output where
// the program has one. A Windows program of the desktop has none unless its
// caller redirected it; it then writes on the console it was started from,
// where the system lets it join one, and otherwise shows the text in a
// message box. Never for a hidden run, which has no one to show it to.
void showInformation(std::string_view text);

}  // namespace rt
