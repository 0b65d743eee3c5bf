#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace rt {

// Letter case of A-Z and a-z only, as profile names, Windows file names and
// the command line compare: every other byte stays as it is, whatever it
// would mean in a code page.
constexpr char toAsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string toAsciiUpper(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) { return toAsciiUpper(c); });
    return upper;
}

constexpr bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return toAsciiUpper(x) == toAsciiUpper(y);
           });
}

}  // namespace rt
