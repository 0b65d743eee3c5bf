#include <windows.h>

#include <cstdint>
#include <limits>

#include "platform/system/LocalTime.h"

namespace rt {

namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600;

FILETIME fileTimeOf(std::uint64_t ticks) {
    FILETIME time{};
    time.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFFu);
    time.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return time;
}

std::int64_t ticksOf(const FILETIME& time) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                     time.dwLowDateTime);
}

}  // namespace

// FileTimeToLocalFileTime applies the offset in force now, on every Windows;
// the conversion that knows past offsets is missing from the 95 family.
std::optional<LocalTime> localTimeOf(std::int64_t unixSeconds) {
    constexpr std::int64_t kLatest =
        std::numeric_limits<std::int64_t>::max() / kTicksPerSecond - kSecondsFrom1601To1970;
    if (unixSeconds < -kSecondsFrom1601To1970 || unixSeconds > kLatest) {
        return std::nullopt;
    }
    const FILETIME utc = fileTimeOf(static_cast<std::uint64_t>(unixSeconds + kSecondsFrom1601To1970) *
                                    static_cast<std::uint64_t>(kTicksPerSecond));
    FILETIME local{};
    SYSTEMTIME shown{};
    if (::FileTimeToLocalFileTime(&utc, &local) == 0 || ::FileTimeToSystemTime(&local, &shown) == 0) {
        return std::nullopt;
    }
    constexpr std::int64_t kTicksPerMinute = kTicksPerSecond * 60;
    return LocalTime{shown.wYear,
                     shown.wMonth,
                     shown.wDay,
                     shown.wHour,
                     shown.wMinute,
                     shown.wSecond,
                     static_cast<int>((ticksOf(local) - ticksOf(utc)) / kTicksPerMinute)};
}

}  // namespace rt
