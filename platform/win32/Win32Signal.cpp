#include <windows.h>

#include <algorithm>

#include "platform/base/ProgramEnd.h"
#include "platform/threads/Signal.h"

namespace rt {

struct Signal::Native {
    HANDLE event = nullptr;
};

// Auto-reset: a set event lets one wait through and is then clear again. A
// system that cannot give even an event has no room left for the program.
Signal::Signal() : m_native(std::make_unique<Native>()) {
    m_native->event = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (m_native->event == nullptr) {
        endProgramNow("the system has no resources left for a new event");
    }
}

Signal::~Signal() {
    ::CloseHandle(m_native->event);
}

void Signal::set() {
    ::SetEvent(m_native->event);
}

void Signal::wait() {
    ::WaitForSingleObject(m_native->event, INFINITE);
}

// A timeout too long for the system's 32 bits is cut just short of INFINITE.
bool Signal::waitFor(std::chrono::milliseconds timeout) {
    constexpr long long kLongest = INFINITE - 1;
    const long long count = std::clamp<long long>(timeout.count(), 0, kLongest);
    return ::WaitForSingleObject(m_native->event, static_cast<DWORD>(count)) == WAIT_OBJECT_0;
}

}  // namespace rt
