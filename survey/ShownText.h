#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace keldwick {

// Reports and folder names are bytes that anyone may have written. These
// turn them into text that is safe to print and to hand to other tools: no
// byte can move a terminal's cursor, start a line, or break a field.

// Printable ASCII and well-formed UTF-8 (apart from control characters) as
// they are; every other byte as \xHH.
std::string shownText(std::string_view bytes);

// How many columns a shown text takes: one per character.
std::size_t shownWidth(std::string_view shown);

// A JSON string, quotes included: well-formed UTF-8 passes, control
// characters are escaped, and a byte that is not UTF-8 becomes the character
// of the same number (U+0080 to U+00FF), so that none is lost.
std::string jsonString(std::string_view bytes);

// A CSV field (RFC 4180): quoted, with quotes doubled, when it holds a comma,
// a quote or a line break.
std::string csvField(std::string_view text);

}  // namespace keldwick
