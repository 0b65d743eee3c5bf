#pragma once

#include <string_view>

namespace keldwick {

// The names the report is written and read by.
inline constexpr std::string_view kReportFileName = "KELDWICK.INI";
inline constexpr std::string_view kReportSection = "VREDIR.VXD";
inline constexpr std::string_view kIsWin95Entry = "ISWIN95";
inline constexpr std::string_view kVersionEntry = "VERSION";

}  // namespace keldwick
