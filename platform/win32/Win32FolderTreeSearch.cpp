#include <windows.h>

#include <cstdint>
#include <utility>

#include "Win32Errors.h"
#include "platform/base/AsciiCase.h"
#include "platform/filesystem/FolderTreeSearch.h"

namespace rt {

namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600;

std::int64_t unixSecondsOf(const FILETIME& time) {
    const auto ticks = (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return static_cast<std::int64_t>(ticks / kTicksPerSecond) - kSecondsFrom1601To1970;
}

FoundKind kindOf(DWORD attributes) {
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        return FoundKind::Link;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return FoundKind::Folder;
    }
    return (attributes & FILE_ATTRIBUTE_DEVICE) != 0 ? FoundKind::Other : FoundKind::RegularFile;
}

bool isFolder(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A search handle, closed when it goes out of scope.
class FolderListing {
  public:
    explicit FolderListing(HANDLE search) : m_search(search) {}
    ~FolderListing() {
        if (m_search != INVALID_HANDLE_VALUE) {
            ::FindClose(m_search);
        }
    }
    FolderListing(const FolderListing&) = delete;
    FolderListing& operator=(const FolderListing&) = delete;

    bool isOpen() const { return m_search != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_search; }

  private:
    HANDLE m_search;
};

// FindFirstFileA and FindNextFileA are all it takes, and every Windows since
// 95 has them. A reparse point (a junction, a link) is not entered: the
// systems that have them can build loops with them, and the others have none.
// Folders reached twice under different paths cannot be told apart here
// without opening them, which the 95 family cannot do.
class Search {
  public:
    explicit Search(std::string_view name) : m_name(name) {}

    void run(const std::string& root) {
        m_pending.push_back(root);
        while (!m_pending.empty()) {
            auto folder = std::move(m_pending.back());
            m_pending.pop_back();
            list(folder);
        }
    }

    FolderTreeSearch take() { return std::move(m_result); }

  private:
    void list(const std::string& folder) {
        WIN32_FIND_DATAA entry{};
        FolderListing listing(::FindFirstFileA(joinedPath(folder, "*").c_str(), &entry));
        if (!listing.isOpen()) {
            const DWORD error = ::GetLastError();
            // A drive's root holds no "." and "..": an empty one answers that
            // nothing matches, which some systems say of a missing folder too.
            if (error != ERROR_FILE_NOT_FOUND || !isFolder(folder)) {
                m_result.unreadable.push_back({folder, win32Error(error), false});
            }
            return;
        }
        bool listedAny = false;
        do {
            listedAny = true;
            look(folder, entry);
        } while (::FindNextFileA(listing.get(), &entry) != 0);
        const DWORD error = ::GetLastError();
        if (error != ERROR_NO_MORE_FILES) {
            m_result.unreadable.push_back({folder, win32Error(error), listedAny});
        }
    }

    void look(const std::string& folder, const WIN32_FIND_DATAA& entry) {
        const std::string_view name = entry.cFileName;
        if (name == "." || name == "..") {
            return;
        }
        const auto kind = kindOf(entry.dwFileAttributes);
        if (equalsIgnoringAsciiCase(name, m_name)) {
            m_result.found.push_back(
                {folder, std::string(name), kind, unixSecondsOf(entry.ftLastWriteTime), {}});
        }
        if (kind == FoundKind::Folder) {
            m_pending.push_back(joinedPath(folder, name));
        }
    }

    std::string_view m_name;
    std::vector<std::string> m_pending;
    FolderTreeSearch m_result;
};

}  // namespace

FolderTreeSearch searchFolderTrees(std::span<const std::string> roots, std::string_view name) {
    Search search(name);
    for (const auto& root : roots) {
        search.run(root);
    }
    return search.take();
}

}  // namespace rt
