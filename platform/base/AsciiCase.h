#pragma once

#include <algorithm>
#include <string_view>

namespace rt {

// Equality that ignores the letter case of A-Z only, as profile names and
// Windows file names compare; every other byte must match exactly.
constexpr bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace rt
