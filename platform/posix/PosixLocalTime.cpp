#include <ctime>

#include "platform/system/LocalTime.h"

namespace rt {

std::optional<LocalTime> localTimeOf(std::int64_t unixSeconds) {
    const auto moment = static_cast<std::time_t>(unixSeconds);
    std::tm local{};
    if (::localtime_r(&moment, &local) == nullptr) {
        return std::nullopt;
    }
    constexpr int kYearBase = 1900;
    constexpr long kSecondsPerMinute = 60;
    return LocalTime{local.tm_year + kYearBase, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                     // A leap second shows as the last second of its minute.
                     local.tm_sec > 59 ? 59 : local.tm_sec,
                     static_cast<int>(local.tm_gmtoff / kSecondsPerMinute)};
}

}  // namespace rt
