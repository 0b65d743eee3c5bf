#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace rt {

// One line of a profile (INI) text, read by the rules of the program's own
// profile writer, so that whatever reads a profile finds what the writer
// would change: a line ends at CR LF, a lone LF or a lone CR; a section
// header is a line whose first non-blank byte is "[", named by what follows
// up to "]" (or the line's end); an entry line is any other line that holds
// "=" and does not start with ";", named by what comes before its first "=".
// Names lose the spaces and tabs around them and match without regard to
// ASCII letter case.
struct ProfileLine {
    enum class Kind { Section, Entry, Other };  // Other: blank lines, comments, anything else

    Kind kind = Kind::Other;
    std::string_view name;       // of a section or an entry, as spelled in the text
    std::string_view value;      // of an entry: what follows its first "=", trailing spaces removed
    bool isBlank = true;         // nothing but spaces and tabs
    std::size_t begin = 0;       // first byte of the line
    std::size_t contentEnd = 0;  // where its line end starts
    std::size_t end = 0;         // first byte after its line end

    bool hasLineEnd() const { return end > contentEnd; }
};

// The lines of `text`, which they refer to.
std::vector<ProfileLine> profileLines(std::string_view text);

// The first section header named `section`, as an index into `lines`.
std::optional<std::size_t> findProfileSection(std::span<const ProfileLine> lines, std::string_view section);

// The lines of the section whose header is at `header`, up to the next header.
std::span<const ProfileLine> profileSectionBody(std::span<const ProfileLine> lines, std::size_t header);

// The first entry named `entry` among a section's lines; a later one of the
// same name is never read, as the writer never changes it. Null when none.
const ProfileLine* findProfileEntry(std::span<const ProfileLine> body, std::string_view entry);

// Spaces and tabs removed from both ends, as names are compared.
std::string_view trimmedProfileName(std::string_view text);

}  // namespace rt
