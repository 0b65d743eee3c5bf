#pragma once

#include <initializer_list>
#include <string_view>

namespace rt {

// Writes "keldwick: " and the text as one line on standard error, without
// allocating and without the C runtime's formatting, which a small program
// for old machines would otherwise carry for a handful of messages.
void tellErrorLine(std::string_view text);

// The same for a text in pieces, which the line joins.
void tellErrorLine(std::initializer_list<std::string_view> pieces);

}  // namespace rt
