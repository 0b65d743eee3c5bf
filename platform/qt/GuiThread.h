#pragma once

#include <QObject>
#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace rt::qt {

// The thread that owns every widget: the first thread, which also runs the
// frame's procedure. Other threads hand it requests; it never waits for them.
// Create on that thread once the application object exists.
class GuiThread {
  public:
    GuiThread();
    ~GuiThread();
    GuiThread(const GuiThread&) = delete;
    GuiThread& operator=(const GuiThread&) = delete;

    // Runs `request` on the GUI thread after every request made before it,
    // from whatever thread. A caller never waits and never learns a result;
    // a request that throws is dropped, unless memory ran out (EntryGuard.h). Requests made while others are
    // carried out are carried out with them, before Qt's own events.
    void run(std::function<void()> request);

    // Keeps Qt's events flowing until wakeUp() is called from any thread; a
    // wake-up that came before the wait counts.
    void waitForWork();
    void wakeUp();

    // Carries out every request queued so far, and what they queue in turn.
    void drain();

  private:
    void carryOutQueued();

    std::unique_ptr<QObject> m_receiver;
    std::mutex m_mutex;
    std::deque<std::function<void()>> m_requests;
    bool m_carryOutPosted = false;  // an event on its way will carry out what is queued
    std::atomic<bool> m_woken{false};
};

}  // namespace rt::qt
