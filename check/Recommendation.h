#pragma once

#include <string_view>

namespace keldwick {

// The one recommendation rule, for a check that has just probed and for a
// reader of the reports it left: "UNKNOWN" when the driver's version is
// "UNKNOWN", "NOT95" outside the Windows 95 family, "OK" for the version
// 4.00.1116 exactly, else "UPGRADE". Trailing blanks do not count.
std::string_view recommendation(std::string_view isWin95, std::string_view driverVersion);

}  // namespace keldwick
