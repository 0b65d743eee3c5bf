#include "GuiThread.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <utility>

#include "platform/base/EntryGuard.h"

namespace rt::qt {

namespace {

// A request that fails must not take the GUI thread's event loop down with it:
// it is dropped. Memory running out ends the program, as it does everywhere.
void runGuarded(const std::function<void()>& request) {
    (void)returnsNormally(request);
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
// blocking call to one's own thread would never return. One Qt event carries
// out all that is queued when it comes, so a status window asked for while
// the frame is built is built right after it, not after Qt has painted the
// frame alone, and the requests that follow need no event each.
void GuiThread::run(std::function<void()> request) {
    bool post = false;
    {
        const std::lock_guard lock(m_mutex);
        m_requests.push_back(std::move(request));
        post = !std::exchange(m_carryOutPosted, true);
    }
    if (post) {
        QMetaObject::invokeMethod(
            m_receiver.get(), [this] { carryOutQueued(); }, Qt::QueuedConnection);
    }
}

// Requests made from here on post an event of their own as well, which
// finds the queue empty when they have been carried out with these: a
// request that waits in an event loop of its own does not hold up the rest.
void GuiThread::carryOutQueued() {
    {
        const std::lock_guard lock(m_mutex);
        m_carryOutPosted = false;
    }
    for (;;) {
        std::function<void()> request;
        {
            const std::lock_guard lock(m_mutex);
            if (m_requests.empty()) {
                return;
            }
            request = std::move(m_requests.front());
            m_requests.pop_front();
        }
        runGuarded(request);
    }
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

}  // namespace rt::qt
