#pragma once

#include <cstdint>
#include <optional>

namespace rt {

// A moment as the local clock shows it, with how far that clock is from UTC.
struct LocalTime {
    int year = 1970;
    int month = 1;  // 1 to 12
    int day = 1;    // 1 to 31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int utcOffsetMinutes = 0;  // local time minus UTC
};

// The local time of a moment given in seconds since 1970-01-01 UTC, or nothing
// where the system cannot convert it. Where a system knows only the offset in
// force now (the 95 family), that is the one used, and the one given: the
// pair still names the moment exactly.
std::optional<LocalTime> localTimeOf(std::int64_t unixSeconds);

}  // namespace rt
