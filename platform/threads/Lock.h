#pragma once

#include <memory>

namespace rt {

// A mutual-exclusion lock for threads of this process, on the platform's own
// primitive (a critical section on Windows, which every Windows version has).
// It meets the standard's BasicLockable, so std::lock_guard and
// std::unique_lock hold it. Not recursive: a thread never takes it twice.
class Lock {
  public:
    Lock();
    ~Lock();
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

    void lock();
    void unlock();

  private:
    struct Native;
    std::unique_ptr<Native> m_native;
};

}  // namespace rt
