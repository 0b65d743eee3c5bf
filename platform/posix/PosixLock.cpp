#include <mutex>

#include "platform/threads/Lock.h"

namespace rt {

struct Lock::Native {
    std::mutex mutex;
};

Lock::Lock() : m_native(std::make_unique<Native>()) {}

Lock::~Lock() = default;

void Lock::lock() {
    m_native->mutex.lock();
}

void Lock::unlock() {
    m_native->mutex.unlock();
}

}  // namespace rt
