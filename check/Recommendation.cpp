#include "Recommendation.h"

#include "platform/base/TextField.h"

namespace keldwick {

namespace {

constexpr std::string_view kRequiredVersion = "4.00.1116";

}  // namespace

std::string_view recommendation(std::string_view isWin95, std::string_view driverVersion) {
    const auto version = rt::trimTrailingBlanks(driverVersion);
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
