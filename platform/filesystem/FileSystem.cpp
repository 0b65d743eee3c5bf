#include "FileSystem.h"

namespace rt {

template class InstalledService<FileSystem, makeNativeFileSystem>;

template <HandleKind Kind>
FileSystemHandle<Kind>& FileSystemHandle<Kind>::operator=(FileSystemHandle&& other) noexcept {
    if (this != &other) {
        (void)close();
        m_owner = std::exchange(other.m_owner, nullptr);
        m_native = std::exchange(other.m_native, kNoFile);
    }
    return *this;
}

template <HandleKind Kind>
Result<void, std::error_code> FileSystemHandle<Kind>::close() {
    if (m_native == kNoFile) {
        return {};
    }
    auto* owner = std::exchange(m_owner, nullptr);
    const auto native = std::exchange(m_native, kNoFile);
    if constexpr (Kind == HandleKind::File) {
        return owner->close(native);
    } else {
        owner->unlockFolder(native);
        return {};
    }
}

template class FileSystemHandle<HandleKind::File>;
template class FileSystemHandle<HandleKind::FolderLock>;

}  // namespace rt
