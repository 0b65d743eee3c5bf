#include "TemporaryFile.h"

#include <cstdint>
#include <vector>

#include "platform/base/Paths.h"
#include "platform/threads/Entropy.h"

namespace rt {

namespace {

constexpr int kNameAttempts = 64;
constexpr std::int64_t kStaleAfterSeconds = 60;
constexpr std::string_view kSuffix = ".tmp";
constexpr std::string_view kTagAlphabet = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kTagLength = 8;

std::string namePrefix(std::string_view name) {
    std::string prefix(1, '.');
    prefix += name;
    prefix += '.';
    return prefix;
}

std::string randomTag() {
    auto bits = nextEntropy();
    std::string tag(kTagLength, ' ');
    for (auto& c : tag) {
        c = kTagAlphabet[static_cast<std::size_t>(bits % kTagAlphabet.size())];
        bits /= kTagAlphabet.size();
    }
    return tag;
}

// Exactly the shape createBeside gives a name: a person's ".<name>.notes.tmp" is not ours.
bool isOurs(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix) || !name.ends_with(kSuffix) ||
        name.size() != prefix.size() + kTagLength + kSuffix.size()) {
        return false;
    }
    return name.substr(prefix.size(), kTagLength).find_first_not_of(kTagAlphabet) == std::string_view::npos;
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
            std::string(parts.folderPrefix) + namePrefix(parts.name) + randomTag() + std::string(kSuffix);
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
    const auto prefix = namePrefix(parts.name);
    auto& files = fileSystem();
    const auto entries = files.listFolder(folderOf(parts).c_str(), prefix);
    if (!entries) {
        return;
    }
    for (const auto& entry : entries.value()) {
        if (isOurs(entry.name, prefix) && entry.isRegular && entry.ageSeconds > kStaleAfterSeconds) {
            (void)files.removeFile((std::string(parts.folderPrefix) + entry.name).c_str());
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
