#include "WindowsTestSupport.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace rt::win32::test {

TempFolder::TempFolder() {
    char base[MAX_PATH + 1] = {};
    ::GetTempPathA(sizeof base, base);
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        auto candidate = std::string(base) + "keldwick-test-" + std::to_string(::GetCurrentProcessId()) +
                         "-" + std::to_string(::GetTickCount()) + "-" + std::to_string(attempt);
        if (::CreateDirectoryA(candidate.c_str(), nullptr) != 0) {
            m_path = candidate;
            return;
        }
    }
}

namespace {

// Files and folders below `path`, then the folder itself.
void removeTree(const std::string& path) {
    WIN32_FIND_DATAA found{};
    HANDLE search = ::FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const auto inner = path + "\\" + name;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                removeTree(inner);
            } else {
                ::DeleteFileA(inner.c_str());
            }
        } while (::FindNextFileA(search, &found) != 0);
        ::FindClose(search);
    }
    ::RemoveDirectoryA(path.c_str());
}

}  // namespace

TempFolder::~TempFolder() {
    if (!m_path.empty()) {
        removeTree(m_path);
    }
}

void writeFile(const std::string& path, const std::vector<std::byte>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string programFolder() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string full(path, length);
    return full.substr(0, full.find_last_of("\\/") + 1);
}

std::string prefixVersion() {
    const char* version = std::getenv("KELDWICK_WINE_VERSION");
    return version != nullptr ? version : "";
}

bool prefixIsWindows95Family() {
    const auto version = prefixVersion();
    return version == "win95" || version == "win98" || version == "winme";
}

}  // namespace rt::win32::test
