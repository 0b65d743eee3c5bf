#include "EventQueue.h"

namespace rt {

void EventQueue::setWakeUp(std::function<void()> wakeUp) {
    std::lock_guard lock(m_mutex);
    m_wakeUp = std::move(wakeUp);
}

bool EventQueue::push(Event event) {
    std::function<void()> wakeUp;
    {
        std::lock_guard lock(m_mutex);
        if (m_closed) {
            return false;
        }
        m_events.push_back(event);
        wakeUp = m_wakeUp;
    }
    m_arrived.notify_one();
    if (wakeUp) {
        wakeUp();
    }
    return true;
}

std::optional<Event> EventQueue::tryPop() {
    std::lock_guard lock(m_mutex);
    if (m_events.empty()) {
        return std::nullopt;
    }
    const Event event = m_events.front();
    m_events.pop_front();
    return event;
}

std::optional<Event> EventQueue::waitPop() {
    std::unique_lock lock(m_mutex);
    m_arrived.wait(lock, [&] { return !m_events.empty() || m_closed; });
    if (m_events.empty()) {
        return std::nullopt;
    }
    const Event event = m_events.front();
    m_events.pop_front();
    return event;
}

void EventQueue::close() {
    {
        std::lock_guard lock(m_mutex);
        m_closed = true;
        m_events.clear();
    }
    m_arrived.notify_all();
}

bool EventQueue::isClosed() const {
    std::lock_guard lock(m_mutex);
    return m_closed;
}

}  // namespace rt
