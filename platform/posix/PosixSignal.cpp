#include <condition_variable>
#include <mutex>

#include "platform/threads/Signal.h"

namespace rt {

struct Signal::Native {
    std::mutex mutex;
    std::condition_variable changed;
    bool isSet = false;
};

Signal::Signal() : m_native(std::make_unique<Native>()) {}

Signal::~Signal() = default;

void Signal::set() {
    {
        std::lock_guard lock(m_native->mutex);
        m_native->isSet = true;
    }
    m_native->changed.notify_one();
}

void Signal::wait() {
    std::unique_lock lock(m_native->mutex);
    m_native->changed.wait(lock, [&] { return m_native->isSet; });
    m_native->isSet = false;
}

bool Signal::waitFor(std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_native->mutex);
    if (!m_native->changed.wait_for(lock, timeout, [&] { return m_native->isSet; })) {
        return false;
    }
    m_native->isSet = false;
    return true;
}

}  // namespace rt
