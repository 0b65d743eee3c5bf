#include "GuiThread.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace rt::desktop {

namespace {

void runGuarded(const std::function<void()>& request) {
    try {
        request();
    } catch (...) {
        // A request that fails must not take the GUI thread's event loop down with it.
    }
}

}  // namespace

GuiThread::GuiThread() : m_receiver(std::make_unique<QObject>()) {}

GuiThread::~GuiThread() = default;

// Requests are queued even from the GUI thread itself, never carried out at
// once: one queue keeps every window's requests in the order they were made,
// whichever thread made them; the frame's procedure, which shows its window
// on this thread, goes on to its opening work (starting the first status
// window's check) while the frame is built in its next wait; and widget code
// never runs inside a procedure's call. The queue is never waited on: a
// blocking call to one's own thread would never return.
void GuiThread::run(std::function<void()> request) {
    QMetaObject::invokeMethod(
        m_receiver.get(), [request = std::move(request)] { runGuarded(request); }, Qt::QueuedConnection);
}

void GuiThread::waitForWork() {
    while (!m_woken.exchange(false)) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

// Only the wake-up that raises the flag posts an event: that event ends the
// wait even when it was posted before the wait began, and while the flag is
// up nobody needs another.
void GuiThread::wakeUp() {
    if (!m_woken.exchange(true)) {
        QMetaObject::invokeMethod(
            m_receiver.get(), [] {}, Qt::QueuedConnection);
    }
}

void GuiThread::drain() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace rt::desktop
