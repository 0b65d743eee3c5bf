#include "CheckRunLock.h"

namespace keldwick {

namespace {

std::mutex& processWideMutex() {
    static std::mutex mutex;
    return mutex;
}

}  // namespace

CheckRunLock::CheckRunLock() : m_process(processWideMutex()) {}

void CheckRunLock::holdFolder(const std::string& folder) {
    m_folder = rt::FolderLock(folder);
}

}  // namespace keldwick
