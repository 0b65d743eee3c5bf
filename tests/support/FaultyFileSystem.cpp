#include "FaultyFileSystem.h"

namespace testing_support {

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
    }
    const int call = ++m_calls;
    const int failAt = m_failAt.load();
    if (failAt > 0 && (call == failAt || (m_persistent && call > failAt))) {
        m_failed = true;
        return std::make_error_code(m_error);
    }
    return {};
}

std::error_code FaultyFileSystem::openForReading(const char* path, Follow follow, rt::NativeFile& out) {
    if (auto error = fault(path)) {
        return error;
    }
    return m_native->openForReading(path, follow, out);
}

std::error_code FaultyFileSystem::status(rt::NativeFile file, rt::FileStatus& out) {
    if (auto error = fault()) {
        return error;
    }
    return m_native->status(file, out);
}

std::error_code FaultyFileSystem::readAt(rt::NativeFile file, std::uint64_t offset, std::span<std::byte> into,
                                         std::size_t& got) {
    if (auto error = fault()) {
        return error;
    }
    return m_native->readAt(file, offset, into, got);
}

std::error_code FaultyFileSystem::createNew(const char* path, rt::NativeFile& out) {
    if (auto error = fault(path)) {
        return error;
    }
    if (const int refused = m_refusedNew.load(); refused != 0) {
        return std::make_error_code(static_cast<std::errc>(refused));
    }
    return m_native->createNew(path, out);
}

std::error_code FaultyFileSystem::openForWriting(const char* path, rt::NativeFile& out) {
    if (auto error = fault(path)) {
        return error;
    }
    return m_native->openForWriting(path, out);
}

std::error_code FaultyFileSystem::truncate(rt::NativeFile file, std::uint64_t size) {
    if (auto error = fault()) {
        return error;
    }
    return m_native->truncate(file, size);
}

// A failed write still writes half, as a full disk does.
std::error_code FaultyFileSystem::write(rt::NativeFile file, std::span<const std::byte> bytes,
                                        std::size_t& written) {
    if (auto error = fault()) {
        (void)m_native->write(file, bytes.first(bytes.size() / 2), written);
        return error;
    }
    return m_native->write(file, bytes, written);
}

std::error_code FaultyFileSystem::sync(rt::NativeFile file) {
    if (auto error = fault()) {
        return error;
    }
    return m_native->sync(file);
}

// Even a failing close releases the descriptor, as on the real systems.
std::error_code FaultyFileSystem::close(rt::NativeFile file) {
    const auto error = fault();
    const auto closed = m_native->close(file);
    return error ? error : closed;
}

std::error_code FaultyFileSystem::replace(const char* from, const char* to) {
    if (auto error = fault(to)) {
        return error;
    }
    if (m_noReplace) {
        return std::make_error_code(std::errc::function_not_supported);
    }
    return m_native->replace(from, to);
}

std::error_code FaultyFileSystem::rename(const char* from, const char* to) {
    if (auto error = fault(to)) {
        return error;
    }
    return m_native->rename(from, to);
}

std::error_code FaultyFileSystem::removeFile(const char* path) {
    if (auto error = fault(path)) {
        return error;
    }
    return m_native->removeFile(path);
}

std::error_code FaultyFileSystem::syncFolder(const char* folder) {
    if (auto error = fault(folder)) {
        return error;
    }
    return m_native->syncFolder(folder);
}

bool FaultyFileSystem::exists(const char* path) {
    return !fault(path) && m_native->exists(path);
}

std::error_code FaultyFileSystem::namesIgnoringCase(const char* folder, std::string_view name,
                                                    std::vector<std::string>& out) {
    if (auto error = fault(folder)) {
        return error;
    }
    return m_native->namesIgnoringCase(folder, name, out);
}

std::error_code FaultyFileSystem::listFolder(const char* folder, std::string_view namePrefix,
                                             std::vector<rt::FolderEntry>& out) {
    if (auto error = fault(folder)) {
        return error;
    }
    return m_native->listFolder(folder, namePrefix, out);
}

std::error_code FaultyFileSystem::tryLockFolder(const char* folder, rt::NativeFile& out) {
    if (auto error = fault(folder)) {
        return error;
    }
    return m_native->tryLockFolder(folder, out);
}

void FaultyFileSystem::unlockFolder(rt::NativeFile lock) {
    m_native->unlockFolder(lock);
}

}  // namespace testing_support
