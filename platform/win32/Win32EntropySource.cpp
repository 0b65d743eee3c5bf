#include <windows.h>

#include <cstdint>

#include "platform/threads/Entropy.h"

namespace rt::detail {

// Only calls that Windows 95 has. The performance counter may be missing
// there (it then reads 0); the process id alone keeps two runs apart.
std::uint64_t entropyStart() {
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    LARGE_INTEGER counter{};
    ::QueryPerformanceCounter(&counter);
    const int onStack = 0;
    return (static_cast<std::uint64_t>(::GetCurrentProcessId()) << 32) ^ ::GetCurrentThreadId() ^
           ((static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime) ^
           static_cast<std::uint64_t>(counter.QuadPart) ^
           (static_cast<std::uint64_t>(::GetTickCount()) << 16) ^ reinterpret_cast<std::uintptr_t>(&onStack);
}

}  // namespace rt::detail
