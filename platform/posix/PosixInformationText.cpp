#include <cstdio>

#include "platform/window/InformationText.h"

namespace rt {

void showInformation(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

}  // namespace rt
