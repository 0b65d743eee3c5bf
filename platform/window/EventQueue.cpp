#include "EventQueue.h"

#include <mutex>

namespace rt {

void EventQueue::setWakeUp(std::function<void()> wakeUp) {
    std::lock_guard lock(m_lock);
    m_wakeUp = std::move(wakeUp);
}

bool EventQueue::push(Event event) {
    std::function<void()> wakeUp;
    {
        std::lock_guard lock(m_lock);
        if (m_closed) {
            return false;
        }
        m_events.push_back(event);
        wakeUp = m_wakeUp;
    }
    m_arrived.set();
    if (wakeUp) {
        wakeUp();
    }
    return true;
}

std::optional<Event> EventQueue::tryPop() {
    std::lock_guard lock(m_lock);
    if (m_events.empty()) {
        return std::nullopt;
    }
    const Event event = m_events.front();
    m_events.pop_front();
    return event;
}

// The state is tested under the lock and the signal waited for outside it: a
// push between the two leaves the signal set, so the wait returns at once.
std::optional<Event> EventQueue::waitPop() {
    for (;;) {
        {
            std::lock_guard lock(m_lock);
            if (!m_events.empty()) {
                const Event event = m_events.front();
                m_events.pop_front();
                return event;
            }
            if (m_closed) {
                return std::nullopt;
            }
        }
        m_arrived.wait();
    }
}

void EventQueue::close() {
    {
        std::lock_guard lock(m_lock);
        m_closed = true;
        m_events.clear();
    }
    m_arrived.set();
}

bool EventQueue::isClosed() const {
    std::lock_guard lock(m_lock);
    return m_closed;
}

}  // namespace rt
