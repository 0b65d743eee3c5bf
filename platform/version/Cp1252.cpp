#include "Cp1252.h"

#include <array>
#include <cstdint>

namespace rt::version {

namespace {

// U+0080..U+009F are C1 controls in Unicode; CP1252 puts typographic
// characters there. This is the reverse map: byte 0x80 + i holds kHigh[i].
// Unused bytes map back from the same C1 control, as Windows does.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

unsigned char fold(unsigned char c) {
    if (c >= 'A' && c <= 'Z') {
        return static_cast<unsigned char>(c + 0x20);
    }
    // À..Þ except × fold to à..þ; Š Œ Ž Ÿ to š œ ž ÿ.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {
        return static_cast<unsigned char>(c + 0x20);
    }
    switch (c) {
        case 0x8A:
            return 0x9A;
        case 0x8C:
            return 0x9C;
        case 0x8E:
            return 0x9E;
        case 0x9F:
            return 0xFF;
        default:
            return c;
    }
}

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

char toCp1252(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
        return static_cast<char>(static_cast<unsigned char>(unit));
    }
    for (std::size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == unit) {
            return static_cast<char>(static_cast<unsigned char>(0x80 + i));
        }
    }
    return '?';
}

std::string utf16ToCp1252(std::span<const std::byte> bytes) {
    std::string out;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto unit = static_cast<char16_t>(std::to_integer<std::uint16_t>(bytes[i]) |
                                                (std::to_integer<std::uint16_t>(bytes[i + 1]) << 8));
        if (unit == 0) {
            break;
        }
        if (isHighSurrogate(unit) && i + 3 < bytes.size()) {
            const auto next = static_cast<char16_t>(std::to_integer<std::uint16_t>(bytes[i + 2]) |
                                                    (std::to_integer<std::uint16_t>(bytes[i + 3]) << 8));
            if (isLowSurrogate(next)) {
                i += 2;
            }
        }
        out += toCp1252(unit);
    }
    return out;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (fold(static_cast<unsigned char>(a[i])) != fold(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace rt::version
