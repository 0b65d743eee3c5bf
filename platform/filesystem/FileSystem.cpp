#include "FileSystem.h"

namespace rt {

template class InstalledService<FileSystem, makeNativeFileSystem>;

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        (void)close();
        m_owner = std::exchange(other.m_owner, nullptr);
        m_native = std::exchange(other.m_native, kNoFile);
    }
    return *this;
}

Result<void, std::error_code> File::close() {
    if (m_native == kNoFile) {
        return {};
    }
    return std::exchange(m_owner, nullptr)->close(std::exchange(m_native, kNoFile));
}

NativeFile File::release() {
    m_owner = nullptr;
    return std::exchange(m_native, kNoFile);
}

LockedFolder& LockedFolder::operator=(LockedFolder&& other) noexcept {
    if (this != &other) {
        release();
        m_owner = std::exchange(other.m_owner, nullptr);
        m_native = std::exchange(other.m_native, kNoFile);
    }
    return *this;
}

void LockedFolder::release() {
    if (m_native != kNoFile) {
        std::exchange(m_owner, nullptr)->unlockFolder(std::exchange(m_native, kNoFile));
    }
}

NativeFile LockedFolder::take() {
    m_owner = nullptr;
    return std::exchange(m_native, kNoFile);
}

}  // namespace rt
