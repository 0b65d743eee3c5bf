#include "CheckRunLock.h"

namespace keldwick {

namespace {

rt::Lock& processWideLock() {
    static rt::Lock lock;
    return lock;
}

}  // namespace

CheckRunLock::CheckRunLock() : m_process(processWideLock()) {}

void CheckRunLock::holdFolder(const std::string& folder) {
    m_folder = rt::FolderLock(folder);
}

}  // namespace keldwick
