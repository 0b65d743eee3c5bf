#pragma once

#include <cstddef>
#include <functional>
#include <memory>

namespace rt {

// A joinable thread with a stack of at least the requested size. Sizes that
// were enough for older builds are too small for today's (sanitizers use
// several times the stack), so a request is raised to kMinimumStackBytes;
// 0 asks for the platform's default. Joins when destroyed.
class NativeThread {
  public:
    static constexpr std::size_t kMinimumStackBytes = std::size_t{1024} * 1024;

    NativeThread(std::function<void()> body, std::size_t stackBytes);
    ~NativeThread();
    NativeThread(const NativeThread&) = delete;
    NativeThread& operator=(const NativeThread&) = delete;

    // False when the system refused a new thread; the body then never runs.
    bool isStarted() const;
    void join();

    static std::size_t effectiveStackBytes(std::size_t requested);

  private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace rt
