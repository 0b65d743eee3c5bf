#include "GuiThread.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

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

bool GuiThread::isCurrent() const {
    return QThread::currentThread() == m_receiver->thread();
}

// A blocking queued call to one's own thread never returns, so requests from
// the GUI thread itself are carried out at once instead of queued.
void GuiThread::run(std::function<void()> request) {
    if (isCurrent()) {
        runGuarded(request);
        return;
    }
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
