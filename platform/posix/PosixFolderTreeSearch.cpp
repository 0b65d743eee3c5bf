#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <set>
#include <utility>

#include "platform/base/AsciiCase.h"
#include "platform/filesystem/FolderTreeSearch.h"

namespace rt {

namespace {

std::error_code lastError() {
    return {errno, std::generic_category()};
}

FoundKind kindOf(mode_t mode) {
    if (S_ISREG(mode)) {
        return FoundKind::RegularFile;
    }
    if (S_ISDIR(mode)) {
        return FoundKind::Folder;
    }
    return S_ISLNK(mode) ? FoundKind::Link : FoundKind::Other;
}

// A folder's listing, closed with the stream that holds its descriptor.
class FolderStream {
  public:
    explicit FolderStream(DIR* stream) : m_stream(stream) {}
    ~FolderStream() {
        if (m_stream != nullptr) {
            ::closedir(m_stream);
        }
    }
    FolderStream(const FolderStream&) = delete;
    FolderStream& operator=(const FolderStream&) = delete;

    DIR* get() const { return m_stream; }
    int descriptor() const { return ::dirfd(m_stream); }

  private:
    DIR* m_stream;
};

class Search {
  public:
    explicit Search(std::string_view name) : m_name(name) {}

    void run(const std::string& root) {
        // The root is what the caller named, a link to a folder included.
        m_pending.push_back(root);
        bool atRoot = true;
        while (!m_pending.empty()) {
            auto folder = std::move(m_pending.back());
            m_pending.pop_back();
            list(folder, atRoot);
            atRoot = false;
        }
    }

    FolderTreeSearch take() { return std::move(m_result); }

  private:
    void list(const std::string& folder, bool atRoot) {
        // Below the root a folder that turned into a link since it was listed is not entered.
        const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOCTTY | (atRoot ? 0 : O_NOFOLLOW);
        int descriptor = -1;
        do {
            descriptor = ::open(folder.c_str(), flags);
        } while (descriptor < 0 && errno == EINTR);
        if (descriptor < 0) {
            m_result.unreadable.push_back({folder, lastError(), false});
            return;
        }
        struct stat self {};
        if (::fstat(descriptor, &self) == 0 && !m_seen.emplace(self.st_dev, self.st_ino).second) {
            ::close(descriptor);
            return;
        }
        FolderStream stream(::fdopendir(descriptor));
        if (stream.get() == nullptr) {
            m_result.unreadable.push_back({folder, lastError(), false});
            ::close(descriptor);
            return;
        }
        bool listedAny = false;
        for (;;) {
            errno = 0;
            const dirent* entry = ::readdir(stream.get());
            if (entry == nullptr) {
                if (errno != 0) {
                    m_result.unreadable.push_back({folder, lastError(), listedAny});
                }
                return;
            }
            listedAny = true;
            look(folder, stream.descriptor(), *entry);
        }
    }

    void look(const std::string& folder, int descriptor, const dirent& entry) {
        const std::string_view name = entry.d_name;
        if (name == "." || name == "..") {
            return;
        }
        const bool wanted = equalsIgnoringAsciiCase(name, m_name);
        bool isFolder = entry.d_type == DT_DIR;
        // Only a wanted name, or one whose kind the listing does not tell, costs a status call.
        if (wanted || entry.d_type == DT_UNKNOWN) {
            struct stat info {};
            FoundName found{folder, std::string(name), FoundKind::Unknown, std::nullopt, {}};
            if (::fstatat(descriptor, entry.d_name, &info, AT_SYMLINK_NOFOLLOW) == 0) {
                found.kind = kindOf(info.st_mode);
                found.modified = static_cast<std::int64_t>(info.st_mtime);
                isFolder = found.kind == FoundKind::Folder;
            } else {
                found.error = lastError();
            }
            if (wanted) {
                m_result.found.push_back(std::move(found));
            }
        }
        if (isFolder) {
            m_pending.push_back(joinedPath(folder, name));
        }
    }

    std::string_view m_name;
    std::vector<std::string> m_pending;
    std::set<std::pair<dev_t, ino_t>> m_seen;
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
