#pragma once

#include <string>
#include <string_view>

namespace keldwick {

// The one version value that the window shows, the report holds and the rule
// judges, made from the driver's FileVersion text: each control character
// (codes below 32, and 127) becomes a blank, so that no text can hide behind
// one, neither a line break in the report nor a tab that ends what a reader
// sees; trailing blanks go, leading ones stay.
std::string versionValue(std::string_view text);

// The one recommendation rule, for a check that has just probed and for a
// reader of the reports it left: "UNKNOWN" when the driver's version is
// "UNKNOWN", "NOT95" outside the Windows 95 family, "OK" for the version
// 4.00.1116 exactly, else "UPGRADE". The version is judged as its
// versionValue: a control character counts as a blank, trailing blanks do not
// count, leading ones do.
std::string_view recommendation(std::string_view isWin95, std::string_view driverVersion);

}  // namespace keldwick
