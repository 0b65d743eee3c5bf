#pragma once

#include <string>
#include <string_view>

namespace keldwick {

// What the parameters ask of a start besides the run mode. "--help", "/?"
// and "--version" are answered only as parameters of their own and only when
// no "HIDE" is in the parameters: a login script that holds HIDE must always
// get its check and its report, whatever else its line holds.
enum class CommandLineRequest { Run, Usage, Version };

CommandLineRequest requestOf(std::string_view parameters);

// Whether the run is to end with a status that gives its answer (ExitStatus.h):
// the switch /STATUS, in any letter case, ending at a blank, at the next "/"
// (as in /HIDE/STATUS) or at the end. Unlike HIDE it is a switch of its own,
// never part of a longer word (/STATUSBAR, /NOSTATUS): a status turns a login
// script's branches, so it must be asked for on purpose.
bool asksForStatus(std::string_view parameters);

// The answers, as rt::showInformation shows them.
std::string usageText();
std::string versionText();

}  // namespace keldwick
