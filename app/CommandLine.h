#pragma once

#include <string>
#include <string_view>

namespace keldwick {

// What the parameters ask of a start besides the run mode. "--help" and
// "--version" are answered only as parameters of their own and only when no
// "HIDE" is in the parameters: a login script that holds HIDE must always get
// its check and its report, whatever else its line holds.
enum class CommandLineRequest { Run, Usage, Version };

CommandLineRequest requestOf(std::string_view parameters);

// The answers, as printed on standard output.
std::string usageText();
std::string versionText();

}  // namespace keldwick
