#include <windows.h>

#include "platform/threads/Lock.h"

namespace rt {

struct Lock::Native {
    CRITICAL_SECTION section;
};

Lock::Lock() : m_native(std::make_unique<Native>()) {
    ::InitializeCriticalSection(&m_native->section);
}

Lock::~Lock() {
    ::DeleteCriticalSection(&m_native->section);
}

void Lock::lock() {
    ::EnterCriticalSection(&m_native->section);
}

void Lock::unlock() {
    ::LeaveCriticalSection(&m_native->section);
}

}  // namespace rt
