#pragma once

#include <chrono>
#include <memory>

namespace rt {

// Wakes one waiting thread: set() lets exactly one wait() return, and a set()
// with nobody waiting is kept for the next wait, however many came before.
// Only one thread waits on a signal at a time; a waiter re-checks whatever
// state it waits for, under that state's own lock, after every wake.
// On Windows it is an auto-reset event.
class Signal {
  public:
    Signal();
    ~Signal();
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;

    void set();
    void wait();
    // False when the time ran out first.
    bool waitFor(std::chrono::milliseconds timeout);

  private:
    struct Native;
    std::unique_ptr<Native> m_native;
};

}  // namespace rt
