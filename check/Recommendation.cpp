#include "Recommendation.h"

#include <algorithm>

#include "platform/base/TextField.h"

namespace keldwick {

namespace {

constexpr std::string_view kRequiredVersion = "4.00.1116";

bool isControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

}  // namespace

std::string versionValue(std::string_view text) {
    std::string value(text);
    std::replace_if(value.begin(), value.end(), isControl, ' ');
    value.resize(rt::trimTrailingBlanks(value).size());
    return value;
}

std::string_view recommendation(std::string_view isWin95, std::string_view driverVersion) {
    const auto version = versionValue(driverVersion);
    if (version == "UNKNOWN") {
        return "UNKNOWN";
    }
    if (rt::trimTrailingBlanks(isWin95) != "YES") {
        return "NOT95";
    }
    // An exact match, not an order: a newer build is as wrong as an older one.
    return version == kRequiredVersion ? "OK" : "UPGRADE";
}

}  // namespace keldwick
