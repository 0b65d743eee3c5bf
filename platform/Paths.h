#pragma once

#include <cstddef>
#include <string_view>

#if defined(_WIN32)
#include <cstdlib>
#else
#include <climits>
#endif

namespace rt {

// The longest path, NUL included, that the platform's file services accept.
// A path that does not fit is never cut: callers treat it as absent.
#if defined(_WIN32)
inline constexpr std::size_t kMaxPath = _MAX_PATH;
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr std::size_t kMaxPath = PATH_MAX;
inline constexpr char kPathSeparator = '/';
#endif

inline constexpr std::string_view kPathSeparatorText{&kPathSeparator, 1};

inline bool endsWithSeparator(std::string_view path) {
    return !path.empty() && (path.back() == kPathSeparator || path.back() == '/');
}

}  // namespace rt
