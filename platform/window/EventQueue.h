#pragma once

#include <deque>
#include <functional>
#include <optional>

#include "EventCodes.h"
#include "platform/threads/Lock.h"
#include "platform/threads/Signal.h"

namespace rt {

// The events waiting for one window. Any thread may push; only the owning
// procedure's thread pops, which is what lets one signal wake it. Once
// closed, pushes are dropped: events for a window that has gone reach nobody.
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
    mutable Lock m_lock;
    Signal m_arrived;
    std::deque<Event> m_events;
    bool m_closed = false;
    std::function<void()> m_wakeUp;
};

}  // namespace rt
