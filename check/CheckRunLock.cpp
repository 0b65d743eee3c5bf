#include "CheckRunLock.h"

#include <atomic>

namespace keldwick {

namespace {

rt::Lock& processWideLock() {
    static rt::Lock lock;
    return lock;
}

// 32 bits: the i486 has no atomic 64-bit load.
std::atomic<int> g_folderWaitMilliseconds{static_cast<int>(rt::FolderLock::kDefaultWait.count())};

}  // namespace

CheckRunLock::CheckRunLock() : m_process(processWideLock()) {}

void CheckRunLock::holdFolder(const std::string& folder) {
    m_folder = rt::FolderLock(folder, folderWait());
}

std::chrono::milliseconds CheckRunLock::folderWait() {
    return std::chrono::milliseconds(g_folderWaitMilliseconds.load());
}

void CheckRunLock::setFolderWait(std::chrono::milliseconds wait) {
    g_folderWaitMilliseconds = static_cast<int>(wait.count());
}

}  // namespace keldwick
