#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/base/Result.h"

namespace keldwick {

// What a report says, and what the check's rule makes of it.
struct ReportEntries {
    std::string isWin95;                 // "YES" or "NO"
    std::optional<std::string> version;  // as it stands in the report; none when the check found no driver
    std::string_view recommendation;     // "OK", "UPGRADE", "NOT95" or "UNKNOWN"
};

// Why a text is not a report. The check always writes ISWIN95 as YES or NO,
// and a VERSION only when it read one that is not blank; a text that breaks
// either rule was not left by the check, so it answers nothing about a machine.
enum class NotAReport {
    Empty,
    Binary,          // holds a NUL byte, which no profile text does
    NoSection,       // no [VREDIR.VXD] section
    NoIsWin95,       // the section holds no ISWIN95 entry
    UnknownIsWin95,  // ISWIN95 is neither YES nor NO (letter case counts, as in the rule)
    BlankVersion,    // VERSION holds nothing but blanks
};

struct NotAReportReason {
    NotAReport kind = NotAReport::Empty;
    std::string value;  // the value that was not understood, where there is one
};

// Reads a report's text by the program's own profile rules: the first
// [VREDIR.VXD] section (any letter case), in it the first ISWIN95 and the
// first VERSION entry; later ones of the same name are not read. Values keep
// their leading blanks and any control bytes; VERSION is judged by the check's
// own version value, in which a control byte counts as a blank. Other
// sections and entries do not matter.
rt::Result<ReportEntries, NotAReportReason> readReportText(std::string_view text);

// "not a report: ..." in words, with any value shown safely.
std::string describe(const NotAReportReason& reason);

}  // namespace keldwick
