// GoogleTest's one use of std::mutex and std::condition_variable, which the
// win32 thread model of the toolchain does not have: a notification from one
// thread to others, here on a Windows event. It is included ahead of every
// source of GoogleTest and of the suite; GTEST_HAS_NOTIFICATION_ tells
// GoogleTest that it is already there.
#pragma once

#include <windows.h>

namespace testing::internal {

class Notification {
  public:
    Notification() : m_event(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() { ::CloseHandle(m_event); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { ::SetEvent(m_event); }
    void WaitForNotification() { ::WaitForSingleObject(m_event, INFINITE); }

  private:
    HANDLE m_event;
};

}  // namespace testing::internal
