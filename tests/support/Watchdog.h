#pragma once

#include <chrono>
#include <string>

#include "platform/threads/NativeThread.h"
#include "platform/threads/Signal.h"

namespace rt::test {

// Ends the whole test process with a message when a test runs past its time,
// so that a broken event loop fails instead of hanging the suite. Built on the
// program's own thread seam, so the Windows suite can have one too.
class Watchdog {
  public:
    explicit Watchdog(std::chrono::seconds limit = std::chrono::seconds(30), std::string what = "test");
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

  private:
    rt::Signal m_finished;
    rt::NativeThread m_thread;  // declared last: it waits on the signal
};

}  // namespace rt::test
