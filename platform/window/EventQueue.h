#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>

#include "EventCodes.h"

namespace rt {

// The events waiting for one window. Any thread may push; only the owning
// procedure's thread pops. Once closed, pushes are dropped: events for a
// window that has gone reach nobody.
class EventQueue {
  public:
    // Called after every push, outside the lock: lets the first thread's
    // presenter leave its own event loop when the frame has work.
    void setWakeUp(std::function<void()> wakeUp);

    bool push(Event event);
    std::optional<Event> tryPop();
    // Blocks until an event arrives or the queue closes.
    std::optional<Event> waitPop();
    void close();
    bool isClosed() const;

  private:
    mutable std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::deque<Event> m_events;
    bool m_closed = false;
    std::function<void()> m_wakeUp;
};

}  // namespace rt
