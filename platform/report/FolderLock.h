#pragma once

#include <chrono>
#include <string>
#include <system_error>

#include "platform/filesystem/FileSystem.h"

namespace rt {

// An advisory lock on a folder that other processes running a check in the
// same folder respect. A writer that does not get it in time must leave the
// folder's report alone: a run stopped while holding it may still publish,
// and one that published meanwhile would be overwritten by an older check.
class FolderLock {
  public:
    static constexpr std::chrono::milliseconds kDefaultWait{5000};

    FolderLock() = default;
    FolderLock(const std::string& folder, std::chrono::milliseconds wait = kDefaultWait);

    bool isHeld() const { return m_lock.isOpen(); }
    // Why it is not held: `resource_unavailable_try_again` when another
    // holder kept it past the wait, else the system's reason.
    std::error_code failure() const { return m_failure; }

  private:
    LockedFolder m_lock;
    std::error_code m_failure;
};

}  // namespace rt
