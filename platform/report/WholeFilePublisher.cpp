#include "WholeFilePublisher.h"

#include <span>
#include <string>

#include "TemporaryFile.h"
#include "platform/base/Paths.h"
#include "platform/filesystem/FileSystem.h"

namespace rt {

namespace {

Result<void, std::error_code> writeAndClose(FileSystem& files, File& file, std::string_view bytes) {
    const auto written = files.writeAt(file, 0, std::as_bytes(std::span(bytes.data(), bytes.size())));
    if (!written) {
        return written.error();
    }
    if (written.value() != bytes.size()) {
        return std::make_error_code(std::errc::io_error);
    }
    if (auto synced = files.sync(file); !synced) {
        return synced;
    }
    return file.close();
}

}  // namespace

Result<Published, std::error_code> publishWholeFile(const char* path, std::string_view bytes) {
    const auto parts = splitPath(path);
    if (parts.name.empty()) {
        return std::make_error_code(std::errc::invalid_argument);
    }
    auto& files = fileSystem();
    TemporaryFile::removeStale(path);
    auto temporary = TemporaryFile::createBeside(path);
    if (!temporary) {
        return temporary.error();
    }
    if (auto written = writeAndClose(files, temporary->file(), bytes); !written) {
        return written.error();
    }
    if (auto kept = temporary->keep(path); !kept) {
        return kept.error();
    }
    Published published;
    if (auto synced = files.syncFolder(folderOf(parts).c_str()); !synced) {
        published.notFlushed = synced.error();
    }
    return published;
}

}  // namespace rt
