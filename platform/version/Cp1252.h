#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace rt::version {

// Windows code page 1252, the ANSI code page of a U.S. English system: what
// the A services hand out for Unicode version text.

// One UTF-16 unit to its CP1252 byte; '?' (Windows' default character) for
// anything the code page lacks. Windows would also apply "best fit" (Ā → A);
// version texts are ASCII in practice, so this reader does not.
char toCp1252(char16_t unit);

// Little-endian UTF-16 up to its first NUL unit or the end of the bytes (an
// odd last byte is ignored); a surrogate pair becomes a single '?'.
std::string utf16ToCp1252(std::span<const std::byte> bytes);

// Case-insensitive equality of whole CP1252 texts, folding the accented
// letters too, as the system's case-insensitive comparison does.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace rt::version
