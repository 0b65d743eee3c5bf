#pragma once

#include <cstddef>
#include <functional>
#include <list>
#include <memory>
#include <system_error>

#include "platform/base/Result.h"
#include "platform/threads/Lock.h"
#include "platform/threads/NativeThread.h"
#include "platform/threads/Signal.h"

namespace rt {

// The threads that run window procedures, numbered from 2 in the order they
// start (the first thread is 1). Any thread may start one; each marks its own
// end as the last thing it does; whoever starts the next one, or the first
// thread at close-down, joins those that have ended. Every member is under
// the lock.
class ProcedureThreads {
  public:
    // Starts `body` with the new thread's number, or says why the system
    // refused a thread; a refused thread's number is not handed out again.
    rt::Result<void, std::error_code> start(std::function<void(int number)> body, std::size_t stackBytes);
    void markFinished(int number);

    // Threads whose bodies have not ended yet.
    std::size_t running() const;
    // True once every thread ever started has been joined.
    bool allJoined() const;
    // Joins the threads whose bodies have ended.
    void reapFinished();
    // Returns once a thread has ended since the last return; only the first thread waits.
    void waitForAnEnd();

    // Numbers start again from 2 for a new run of the program.
    void restartNumbers();

  private:
    struct Entry {
        int number = 0;
        bool finished = false;
        std::unique_ptr<NativeThread> thread;
    };

    mutable Lock m_lock;
    Signal m_ended;
    std::list<Entry> m_threads;
    int m_nextNumber = 2;
};

}  // namespace rt
