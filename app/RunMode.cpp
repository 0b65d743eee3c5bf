#include "RunMode.h"

#include <string>

#include "platform/base/AsciiCase.h"

namespace keldwick {

bool asksForHiddenMode(std::string_view parameters) {
    return rt::toAsciiUpper(parameters).find("HIDE") != std::string::npos;
}

}  // namespace keldwick
