#pragma once

#include <string>
#include <string_view>

namespace rt {

// Edits the text of a profile (INI) file in memory the way Windows' own
// profile writer does: names match without regard to ASCII case, the stored
// spelling of a name is kept, a new entry goes after the last line of its
// section, a new section at the end, and every other byte (comments, blank
// lines, other sections, their line ends) stays as it was. Lines it adds end
// with CR LF.
std::string withProfileEntry(std::string_view text, std::string_view section, std::string_view entry,
                             std::string_view value);

// The value as it may stand in a profile line: a NUL ends it, CR and LF become
// spaces (a value must never start a line of its own), trailing spaces go.
std::string profileValue(std::string_view value);

// Section and entry names must be non-empty single lines that cannot be
// mistaken for another line kind.
bool isValidSectionName(std::string_view name);
bool isValidEntryName(std::string_view name);

}  // namespace rt
