#include <time.h>
#include <unistd.h>

#include <cstdint>

#include "platform/threads/Entropy.h"

namespace rt::detail {

std::uint64_t entropyStart() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    timespec running{};
    ::clock_gettime(CLOCK_MONOTONIC, &running);
    const int onStack = 0;
    return (static_cast<std::uint64_t>(::getpid()) << 32) ^ static_cast<std::uint64_t>(now.tv_nsec) ^
           (static_cast<std::uint64_t>(now.tv_sec) << 20) ^ static_cast<std::uint64_t>(running.tv_nsec) ^
           reinterpret_cast<std::uintptr_t>(&onStack);
}

}  // namespace rt::detail
