#include "WholeFilePublisher.h"

#include <span>
#include <string>
#include <vector>

#include "Entropy.h"
#include "FileSystem.h"
#include "Paths.h"

namespace rt {

namespace {

constexpr int kNameAttempts = 64;
constexpr std::int64_t kStaleAfterSeconds = 60;
constexpr std::string_view kTemporarySuffix = ".tmp";

// Temporary files are hidden siblings of the target: ".<name>.<tag>.tmp", the
// tag kTagLength characters of kTagAlphabet. The sweep removes nothing else.
constexpr std::string_view kTagAlphabet = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kTagLength = 8;

std::string temporaryPrefix(std::string_view name) {
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

std::error_code createTemporary(const PathParts& parts, File& file, std::string& temporaryPath) {
    std::error_code error;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        temporaryPath = std::string(parts.folderPrefix) + temporaryPrefix(parts.name) + randomTag() +
                        std::string(kTemporarySuffix);
        if (temporaryPath.size() >= kMaxPath) {
            return std::make_error_code(std::errc::filename_too_long);
        }
        NativeFile native = kNoFile;
        error = fileSystem().createNew(temporaryPath.c_str(), native);
        if (!error) {
            file = File(native);
            return {};
        }
        if (error != std::errc::file_exists) {
            return error;
        }
    }
    return error;
}

std::error_code writeAndClose(File& file, std::string_view bytes) {
    std::size_t written = 0;
    const auto data = std::as_bytes(std::span(bytes.data(), bytes.size()));
    if (auto error = fileSystem().write(file.native(), data, written)) {
        return error;
    }
    if (written != bytes.size()) {
        return std::make_error_code(std::errc::io_error);
    }
    if (auto error = fileSystem().sync(file.native())) {
        return error;
    }
    return file.close();
}

// Where no one-step replace exists (the 95 family), the complete temporary
// file takes the target's place in two steps: the old file goes, then the
// temporary is renamed. A reader may find no file for that instant, never a
// torn one; a crash between the two leaves the complete temporary behind,
// which a later run sweeps away.
std::error_code replaceInTwoSteps(const std::string& temporaryPath, const char* path) {
    const auto removed = fileSystem().removeFile(path);
    if (removed && removed != std::errc::no_such_file_or_directory) {
        return removed;
    }
    return fileSystem().rename(temporaryPath.c_str(), path);
}

// The folder itself, for services that take a folder rather than a path prefix.
std::string folderName(const PathParts& parts) {
    return parts.folderPrefix.empty() ? std::string(".") : std::string(parts.folderPrefix);
}

// Exactly the shape createTemporary gives a name: a person's ".<name>.notes.tmp" is not ours.
bool isOurTemporary(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix) || !name.ends_with(kTemporarySuffix) ||
        name.size() != prefix.size() + kTagLength + kTemporarySuffix.size()) {
        return false;
    }
    const auto tag = name.substr(prefix.size(), kTagLength);
    return tag.find_first_not_of(kTagAlphabet) == std::string_view::npos;
}

}  // namespace

std::error_code publishWholeFile(const char* path, std::string_view bytes) {
    const auto parts = splitPath(path);
    if (parts.name.empty()) {
        return std::make_error_code(std::errc::invalid_argument);
    }
    File file;
    std::string temporaryPath;
    if (auto error = createTemporary(parts, file, temporaryPath)) {
        return error;
    }
    auto error = writeAndClose(file, bytes);
    if (!error) {
        error = fileSystem().replace(temporaryPath.c_str(), path);
        if (error == std::errc::function_not_supported) {
            error = replaceInTwoSteps(temporaryPath, path);
        }
    }
    if (error) {
        (void)file.close();
        (void)fileSystem().removeFile(temporaryPath.c_str());
        return error;
    }
    return fileSystem().syncFolder(folderName(parts).c_str());
}

void removeStaleTemporaries(const char* path) {
    const auto parts = splitPath(path);
    const auto prefix = temporaryPrefix(parts.name);
    std::vector<FolderEntry> entries;
    if (fileSystem().listFolder(folderName(parts).c_str(), prefix, entries)) {
        return;
    }
    for (const auto& entry : entries) {
        if (isOurTemporary(entry.name, prefix) && entry.isRegular && entry.ageSeconds > kStaleAfterSeconds) {
            (void)fileSystem().removeFile((std::string(parts.folderPrefix) + entry.name).c_str());
        }
    }
}

}  // namespace rt
