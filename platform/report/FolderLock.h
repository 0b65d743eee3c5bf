#pragma once

#include <chrono>
#include <string>

#include "platform/filesystem/FileSystem.h"

namespace rt {

// An advisory lock on a folder that other processes running a check in the
// same folder respect. It is a best effort: when the lock cannot be had in
// time, or the file system has no locks, the holder goes on unlocked, since
// whole-file publishing keeps the report well-formed either way.
class FolderLock {
  public:
    static constexpr std::chrono::milliseconds kDefaultWait{5000};

    FolderLock() = default;
    FolderLock(const std::string& folder, std::chrono::milliseconds wait = kDefaultWait);

    bool isHeld() const { return m_lock.isOpen(); }

  private:
    LockedFolder m_lock;
};

}  // namespace rt
