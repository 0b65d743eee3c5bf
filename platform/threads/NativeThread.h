#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <system_error>

namespace rt {

// A joinable thread with a stack of at least kMinimumStackBytes. A default
// request (0) gets the floor too rather than the platform's default, which on
// Linux follows RLIMIT_STACK: a small limit would overflow the path buffers,
// and a large one (8 MiB) cannot be mapped where address space is short.
// Sizes that were enough for older builds are raised as well, since today's
// builds (sanitizers above all) use several times the stack. Joins when
// destroyed. The body must not throw; one that does ends the program.
class NativeThread {
  public:
    static constexpr std::size_t kMinimumStackBytes = std::size_t{1024} * 1024;

    NativeThread(std::function<void()> body, std::size_t stackBytes);
    ~NativeThread();
    NativeThread(const NativeThread&) = delete;
    NativeThread& operator=(const NativeThread&) = delete;

    // False when the system refused a new thread; the body then never runs.
    bool isStarted() const;
    // Why the system refused it; empty when it started.
    std::error_code startError() const;
    void join();

    static std::size_t effectiveStackBytes(std::size_t requested);

  private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

namespace detail {
// True when the installed ThreadStarts (ThreadStarts.h) refuses this start.
bool takeRefusedStart();
// What the thread entry's guard says when a body threw, which it must not.
inline constexpr const char* kBodyThrew = "a thread ended by an error that nothing caught";
}  // namespace detail

}  // namespace rt
