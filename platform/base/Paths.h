#pragma once

#include <cstddef>
#include <string>
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

// A path cut after its last separator. Windows takes "/" as a separator too.
struct PathParts {
    std::string_view folderPrefix;  // up to and including the last separator; empty for a bare name
    std::string_view name;
};

inline PathParts splitPath(std::string_view path) {
    const auto cut =
        path.find_last_of(kPathSeparator == '/' ? std::string_view("/") : std::string_view("\\/"));
    if (cut == std::string_view::npos) {
        return {{}, path};
    }
    return {path.substr(0, cut + 1), path.substr(cut + 1)};
}

// The folder itself, for services that take a folder rather than a path prefix.
inline std::string folderOf(const PathParts& parts) {
    return parts.folderPrefix.empty() ? std::string(".") : std::string(parts.folderPrefix);
}

}  // namespace rt
