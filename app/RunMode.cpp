#include "RunMode.h"

#include <string>

namespace keldwick {

bool asksForHiddenMode(std::string_view parameters) {
    std::string upper(parameters);
    for (auto& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper.find("HIDE") != std::string::npos;
}

}  // namespace keldwick
