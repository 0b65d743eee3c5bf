#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace rt {

// A number in hexadecimal digits, at least minDigits of them (zeros in front),
// without the C runtime's formatting.
inline std::string hexText(std::uint64_t value, std::size_t minDigits = 1, bool upperCase = true) {
    const char* digits = upperCase ? "0123456789ABCDEF" : "0123456789abcdef";
    std::array<char, 16> filled{};
    std::size_t first = filled.size();
    do {
        filled[--first] = digits[value & 0xFU];
        value >>= 4U;
    } while (value != 0);
    const std::size_t count = filled.size() - first;
    std::string text(minDigits > count ? minDigits - count : 0, '0');
    text.append(filled.data() + first, count);
    return text;
}

}  // namespace rt
