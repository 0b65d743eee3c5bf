#include "CheckRunLock.h"

#include <atomic>
#include <cstdint>

namespace keldwick {

namespace {

rt::Lock& processWideLock() {
    static rt::Lock lock;
    return lock;
}

std::atomic<std::int64_t> g_folderWaitMilliseconds{rt::FolderLock::kDefaultWait.count()};

}  // namespace

CheckRunLock::CheckRunLock() : m_process(processWideLock()) {}

void CheckRunLock::holdFolder(const std::string& folder) {
    m_folder = rt::FolderLock(folder, folderWait());
}

std::chrono::milliseconds CheckRunLock::folderWait() {
    return std::chrono::milliseconds(g_folderWaitMilliseconds.load());
}

void CheckRunLock::setFolderWait(std::chrono::milliseconds wait) {
    g_folderWaitMilliseconds = wait.count();
}

}  // namespace keldwick
