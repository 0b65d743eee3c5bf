#include "FaultyFileSystem.h"

#include <string_view>

namespace rt::test {

FaultyFileSystem::FaultyFileSystem() : m_native(rt::makeNativeFileSystem()) {}

void FaultyFileSystem::failCall(int n, Mode mode, std::errc error) {
    m_error = error;
    m_persistent = mode == Mode::Persistent;
    m_calls = 0;
    m_failAt = n;
}

std::vector<std::string> FaultyFileSystem::touchedPaths() const {
    std::lock_guard lock(m_mutex);
    return m_paths;
}

std::error_code FaultyFileSystem::fault(const char* path) {
    if (path != nullptr) {
        std::lock_guard lock(m_mutex);
        m_paths.emplace_back(path);
        if (!m_failingName.empty() && std::string_view(path).ends_with(m_failingName)) {
            return std::make_error_code(m_failingNameError);
        }
    }
    const int call = ++m_calls;
    const int failAt = m_failAt.load();
    if (failAt > 0 && (call == failAt || (m_persistent && call > failAt))) {
        m_failed = true;
        return std::make_error_code(m_error);
    }
    return {};
}

template <typename T>
using Result = FaultyFileSystem::Result<T>;

// Files and locks that the machine's file system hands out are closed and
// released through this one, so that closing can fail too.
Result<rt::File> FaultyFileSystem::openForReading(const char* path, Follow follow) {
    if (auto error = fault(path)) {
        return error;
    }
    return adopted(m_native->openForReading(path, follow));
}

Result<rt::FileStatus> FaultyFileSystem::status(const rt::File& file) {
    if (auto error = fault()) {
        return error;
    }
    return m_native->status(file);
}

Result<std::size_t> FaultyFileSystem::readAt(const rt::File& file, std::uint64_t offset,
                                             std::span<std::byte> into) {
    if (auto error = fault()) {
        return error;
    }
    return m_native->readAt(file, offset, into);
}

Result<rt::File> FaultyFileSystem::createNew(const char* path) {
    if (auto error = fault(path)) {
        return error;
    }
    if (const int refused = m_refusedNew.load(); refused != 0) {
        return std::make_error_code(static_cast<std::errc>(refused));
    }
    return adopted(m_native->createNew(path));
}

Result<rt::File> FaultyFileSystem::openForWriting(const char* path) {
    if (auto error = fault(path)) {
        return error;
    }
    return adopted(m_native->openForWriting(path));
}

Result<void> FaultyFileSystem::truncate(const rt::File& file, std::uint64_t size) {
    if (auto error = fault()) {
        return error;
    }
    return m_native->truncate(file, size);
}

// A failed write still writes half, as a full disk does.
Result<std::size_t> FaultyFileSystem::writeAt(const rt::File& file, std::uint64_t offset,
                                              std::span<const std::byte> bytes) {
    std::error_code error = fault();
    if (const int first = m_firstWriteFailure.exchange(0); !error && first != 0) {
        error = std::make_error_code(static_cast<std::errc>(first));
    }
    if (error) {
        (void)m_native->writeAt(file, offset, bytes.first(bytes.size() / 2));
        return error;
    }
    return m_native->writeAt(file, offset, bytes);
}

Result<void> FaultyFileSystem::sync(const rt::File& file) {
    if (auto error = fault()) {
        return error;
    }
    return m_native->sync(file);
}

// Even a failing close releases the descriptor, as on the real systems.
Result<void> FaultyFileSystem::close(rt::NativeFile file) {
    const auto error = fault();
    const auto closed = closeIn(*m_native, file);
    if (error) {
        return error;
    }
    return closed;
}

Result<void> FaultyFileSystem::replace(const char* from, const char* to) {
    if (auto error = fault(to)) {
        return error;
    }
    if (m_noReplace) {
        return std::make_error_code(std::errc::function_not_supported);
    }
    return m_native->replace(from, to);
}

Result<void> FaultyFileSystem::rename(const char* from, const char* to) {
    if (auto error = fault(to)) {
        return error;
    }
    return m_native->rename(from, to);
}

Result<void> FaultyFileSystem::removeFile(const char* path) {
    if (auto error = fault(path)) {
        return error;
    }
    if (m_refusedRemoval) {
        return std::make_error_code(std::errc::permission_denied);
    }
    return m_native->removeFile(path);
}

Result<void> FaultyFileSystem::syncFolder(const char* folder) {
    if (auto error = fault(folder)) {
        return error;
    }
    return m_native->syncFolder(folder);
}

// A failed existence test cannot tell, unless the failure says nothing is there.
bool FaultyFileSystem::exists(const char* path) {
    if (auto error = fault(path)) {
        return error != std::errc::no_such_file_or_directory;
    }
    return m_native->exists(path);
}

Result<std::vector<std::string>> FaultyFileSystem::namesIgnoringCase(const char* folder,
                                                                     std::string_view name) {
    if (auto error = fault(folder)) {
        return error;
    }
    return m_native->namesIgnoringCase(folder, name);
}

Result<std::vector<rt::FolderEntry>> FaultyFileSystem::listFolder(const char* folder,
                                                                  std::string_view namePrefix) {
    if (auto error = fault(folder)) {
        return error;
    }
    return m_native->listFolder(folder, namePrefix);
}

Result<rt::LockedFolder> FaultyFileSystem::tryLockFolder(const char* folder) {
    if (auto error = fault(folder)) {
        return error;
    }
    auto locked = m_native->tryLockFolder(folder);
    if (!locked) {
        return locked.error();
    }
    return adopt(std::move(locked).value());
}

void FaultyFileSystem::unlockFolder(rt::NativeFile lock) {
    unlockFolderIn(*m_native, lock);
}

Result<rt::File> FaultyFileSystem::adopted(Result<rt::File> opened) {
    if (!opened) {
        return opened.error();
    }
    return adopt(std::move(opened).value());
}

}  // namespace rt::test
