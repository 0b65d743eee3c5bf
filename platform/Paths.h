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

// The folder part of a path (everything before its last separator); "." when there is none.
inline std::string_view folderOf(std::string_view path) {
    constexpr bool kDrives = kPathSeparator == '\\';
    const auto cut = path.find_last_of(kDrives ? std::string_view("\\/") : std::string_view("/"));
    if (cut == std::string_view::npos) {
        return ".";
    }
    // A root keeps its separator: "/" and "C:\" name the root, "" and "C:" would not.
    const bool isRoot = cut == 0 || (kDrives && cut == 2 && path[1] == ':');
    return path.substr(0, isRoot ? cut + 1 : cut);
}

}  // namespace rt
