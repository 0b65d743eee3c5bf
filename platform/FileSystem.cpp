#include "FileSystem.h"

#include <atomic>

namespace rt {

namespace {

std::atomic<FileSystem*> g_installed{nullptr};

FileSystem& nativeFileSystem() {
    static const std::unique_ptr<FileSystem> native = makeNativeFileSystem();
    return *native;
}

}  // namespace

FileSystem& fileSystem() {
    FileSystem* installed = g_installed.load(std::memory_order_acquire);
    return installed != nullptr ? *installed : nativeFileSystem();
}

ScopedFileSystem::ScopedFileSystem(FileSystem& replacement)
    : m_previous(g_installed.exchange(&replacement, std::memory_order_acq_rel)) {}

ScopedFileSystem::~ScopedFileSystem() {
    g_installed.store(m_previous, std::memory_order_release);
}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        (void)close();
        m_native = std::exchange(other.m_native, kNoFile);
    }
    return *this;
}

std::error_code File::close() {
    if (m_native == kNoFile) {
        return {};
    }
    return fileSystem().close(std::exchange(m_native, kNoFile));
}

}  // namespace rt
