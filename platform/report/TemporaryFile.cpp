#include "TemporaryFile.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "ProfileLines.h"
#include "platform/base/Paths.h"
#include "platform/threads/Entropy.h"

namespace rt {

namespace {

constexpr int kNameAttempts = 64;
constexpr std::int64_t kStaleAfterSeconds = 60;
// An 8.3 name, no longer than the report's own, so that it fits wherever the
// report's path does, and a FAT folder needs no long name for it.
constexpr std::string_view kPrefix = "~KW";
constexpr std::string_view kSuffix = ".TMP";
constexpr std::string_view kTagAlphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::size_t kTagLength = 5;
// No report comes near it; a larger file of our shape is not ours.
constexpr std::uint64_t kMaxReportBytes = 4096;

std::string randomTag() {
    auto bits = nextEntropy();
    std::string tag(kTagLength, ' ');
    for (auto& c : tag) {
        c = kTagAlphabet[static_cast<std::size_t>(bits % kTagAlphabet.size())];
        bits /= kTagAlphabet.size();
    }
    return tag;
}

bool hasOurShape(std::string_view name) {
    if (!name.starts_with(kPrefix) || !name.ends_with(kSuffix) ||
        name.size() != kPrefix.size() + kTagLength + kSuffix.size()) {
        return false;
    }
    return name.substr(kPrefix.size(), kTagLength).find_first_not_of(kTagAlphabet) == std::string_view::npos;
}

// What a writer killed or failed around its one write leaves: nothing, or
// the start of a profile as the batch writes it, a section first and every
// whole line a section or an entry ended by CR LF. Anything else is someone
// else's.
bool isLeftByAWriter(std::string_view text) {
    const auto lines = profileLines(text);
    if (lines.empty()) {
        return true;
    }
    if (!text.starts_with('[')) {
        return false;
    }
    return std::all_of(lines.begin(), lines.end(), [&](const ProfileLine& line) {
        const auto ending = text.substr(line.contentEnd, line.end - line.contentEnd);
        if (line.end == text.size() && (ending.empty() || ending == "\r")) {
            const auto cut = text.substr(line.begin, line.contentEnd - line.begin);
            return std::none_of(cut.begin(), cut.end(), [](char c) { return c >= 0 && c < 0x20; });
        }
        return line.kind != ProfileLine::Kind::Other && ending == "\r\n";
    });
}

// Ours beyond doubt: a regular file with no other name, small, holding what a writer leaves.
bool isSurelyOurs(FileSystem& files, const std::string& path) {
    auto file = files.openForReading(path.c_str(), FileSystem::Follow::NoLinks);
    if (!file) {
        return false;
    }
    const auto status = files.status(*file);
    if (!status || !status->isRegular || status->links != 1 || status->size > kMaxReportBytes) {
        return false;
    }
    std::string text(static_cast<std::size_t>(status->size), '\0');
    const auto read = files.readAt(*file, 0, std::as_writable_bytes(std::span(text)));
    return read && read.value() == text.size() && isLeftByAWriter(text);
}

}  // namespace

Result<TemporaryFile, std::error_code> TemporaryFile::createBeside(std::string_view target) {
    const auto parts = splitPath(target);
    if (parts.name.empty()) {
        return std::make_error_code(std::errc::invalid_argument);
    }
    auto& files = fileSystem();
    std::error_code error;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        auto path =
            std::string(parts.folderPrefix) + std::string(kPrefix) + randomTag() + std::string(kSuffix);
        if (path.size() >= kMaxPath) {
            return std::make_error_code(std::errc::filename_too_long);
        }
        auto created = files.createNew(path.c_str());
        if (created) {
            return TemporaryFile(files, std::move(path), std::move(created).value());
        }
        error = created.error();
        if (error != std::errc::file_exists) {
            return error;
        }
    }
    return error;
}

void TemporaryFile::removeStale(std::string_view target) {
    const auto parts = splitPath(target);
    auto& files = fileSystem();
    const auto entries = files.listFolder(folderOf(parts).c_str(), kPrefix);
    if (!entries) {
        return;
    }
    for (const auto& entry : entries.value()) {
        if (!hasOurShape(entry.name) || !entry.isRegular || entry.ageSeconds <= kStaleAfterSeconds) {
            continue;
        }
        const auto path = std::string(parts.folderPrefix) + entry.name;
        if (isSurelyOurs(files, path)) {
            (void)files.removeFile(path.c_str());
        }
    }
}

TemporaryFile::TemporaryFile(TemporaryFile&& other) noexcept
    : m_files(other.m_files), m_path(std::exchange(other.m_path, {})), m_file(std::move(other.m_file)) {}

Result<void, std::error_code> TemporaryFile::keep(const char* target) {
    if (m_path.empty()) {
        return std::make_error_code(std::errc::invalid_argument);
    }
    if (auto closed = m_file.close(); !closed) {
        return closed;
    }
    auto replaced = m_files->replace(m_path.c_str(), target);
    if (!replaced && replaced.error() == std::errc::function_not_supported) {
        replaced = replaceInTwoSteps(target);
    }
    if (replaced) {
        m_path.clear();
    }
    return replaced;
}

Result<void, std::error_code> TemporaryFile::replaceInTwoSteps(const char* target) {
    if (auto removed = m_files->removeFile(target);
        !removed && removed.error() != std::errc::no_such_file_or_directory) {
        return removed;
    }
    return m_files->rename(m_path.c_str(), target);
}

Result<void, std::error_code> TemporaryFile::discard() {
    if (m_path.empty()) {
        return {};
    }
    (void)m_file.close();
    auto removed = m_files->removeFile(m_path.c_str());
    m_path.clear();
    return removed;
}

}  // namespace rt
