#include "ErrorLine.h"

#include <cstdio>

namespace rt {

void tellErrorLine(std::string_view text) {
    tellErrorLine({text});
}

void tellErrorLine(std::initializer_list<std::string_view> pieces) {
    std::fputs("keldwick: ", stderr);
    for (const std::string_view piece : pieces) {
        std::fwrite(piece.data(), 1, piece.size(), stderr);
    }
    std::fputs("\n", stderr);
    std::fflush(stderr);
}

}  // namespace rt
