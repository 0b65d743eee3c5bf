#include "ErrorLine.h"

#include <array>
#include <cstdio>
#include <cstring>

namespace rt {

void tellErrorLine(std::string_view text) {
    tellErrorLine({text});
}

// The line is gathered on the stack and written with one call, so that lines
// from several threads or processes sharing standard error do not mix; only
// a line too long for the buffer goes out in pieces.
void tellErrorLine(std::initializer_list<std::string_view> pieces) {
    constexpr std::string_view kPrefix = "keldwick: ";
    std::array<char, 1024> line{};
    std::size_t length = 0;
    const auto gather = [&](std::string_view piece) {
        const bool fits = piece.size() <= line.size() - length;
        if (fits) {
            std::memcpy(line.data() + length, piece.data(), piece.size());
            length += piece.size();
        }
        return fits;
    };
    bool whole = gather(kPrefix);
    for (const std::string_view piece : pieces) {
        whole = whole && gather(piece);
    }
    whole = whole && gather("\n");
    if (whole) {
        std::fwrite(line.data(), 1, length, stderr);
    } else {
        std::fwrite(kPrefix.data(), 1, kPrefix.size(), stderr);
        for (const std::string_view piece : pieces) {
            std::fwrite(piece.data(), 1, piece.size(), stderr);
        }
        std::fputs("\n", stderr);
    }
    std::fflush(stderr);
}

}  // namespace rt
