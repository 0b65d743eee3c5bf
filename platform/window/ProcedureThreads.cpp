#include "platform/window/ProcedureThreads.h"

#include <algorithm>
#include <mutex>

namespace rt {

// The thread may run, and even end, before the lock is let go: its end waits
// for the lock, by which time its entry is in the list.
rt::Result<void, std::error_code> ProcedureThreads::start(std::function<void(int number)> body,
                                                          std::size_t stackBytes) {
    std::lock_guard lock(m_lock);
    const int number = m_nextNumber++;
    auto& entry = m_threads.emplace_back();
    entry.number = number;
    entry.thread =
        std::make_unique<NativeThread>([number, run = std::move(body)] { run(number); }, stackBytes);
    if (!entry.thread->isStarted()) {
        const auto error = entry.thread->startError();
        m_threads.pop_back();
        return error;
    }
    return {};
}

void ProcedureThreads::markFinished(int number) {
    {
        std::lock_guard lock(m_lock);
        for (auto& entry : m_threads) {
            if (entry.number == number) {
                entry.finished = true;
            }
        }
    }
    m_ended.set();
}

std::size_t ProcedureThreads::running() const {
    std::lock_guard lock(m_lock);
    return static_cast<std::size_t>(
        std::count_if(m_threads.begin(), m_threads.end(), [](const auto& entry) { return !entry.finished; }));
}

bool ProcedureThreads::allJoined() const {
    std::lock_guard lock(m_lock);
    return m_threads.empty();
}

// The joins happen outside the lock, and never wait for long: the threads
// have only their last steps left.
void ProcedureThreads::reapFinished() {
    std::list<Entry> finished;
    {
        std::lock_guard lock(m_lock);
        for (auto it = m_threads.begin(); it != m_threads.end();) {
            const auto next = std::next(it);
            if (it->finished) {
                finished.splice(finished.end(), m_threads, it);
            }
            it = next;
        }
    }
    finished.clear();
}

void ProcedureThreads::waitForAnEnd() {
    m_ended.wait();
}

void ProcedureThreads::restartNumbers() {
    std::lock_guard lock(m_lock);
    m_nextNumber = 2;
}

}  // namespace rt
