#pragma once

#include <chrono>
#include <mutex>
#include <string>

#include "platform/report/FolderLock.h"
#include "platform/threads/Lock.h"

namespace keldwick {

// Exclusive use of the report path and the report file for one check run.
// Runs in this process queue on a lock; runs in other processes that report
// into the same folder are held off by a lock on that folder, taken second
// and released first, so the order never inverts.
class CheckRunLock {
  public:
    CheckRunLock();
    CheckRunLock(const CheckRunLock&) = delete;
    CheckRunLock& operator=(const CheckRunLock&) = delete;

    void holdFolder(const std::string& folder);
    bool holdsFolder() const { return m_folder.isHeld(); }
    std::error_code folderFailure() const { return m_folder.failure(); }

    // How long a run waits for another process's check in the same folder:
    // far beyond the few milliseconds a check holds it, yet short enough for
    // a login script. Tests shorten it.
    static std::chrono::milliseconds folderWait();
    static void setFolderWait(std::chrono::milliseconds wait);

  private:
    std::unique_lock<rt::Lock> m_process;
    rt::FolderLock m_folder;  // declared last: released before the process-wide lock
};

}  // namespace keldwick
