#pragma once

#include <memory>

#include "platform/window/EventCodes.h"
#include "platform/window/WindowState.h"

namespace rt {

// What one thread of the layer works on. Owner thread only: no other thread
// ever reaches another's context, so nothing here needs a lock. A procedure
// thread's context lives on its own stack for as long as its procedure runs;
// the first thread's lives from start-up to close-down.
struct ThreadContext {
    int number = 0;
    std::shared_ptr<WindowState> window;  // the window this thread prepared last
    Event current;                        // the event of the loop's current turn
    int keyCode = 0;
};

// The calling thread's context; null on threads the layer did not start (a
// test's, a toolkit's), which have no window of their own.
ThreadContext* currentContext();

// Gives the calling thread, the one that runs start-up, a fresh context as the first thread.
void enterFirstThread();
// The first thread's context goes with everything it held.
void leaveFirstThread();

// The calling procedure thread's context, for as long as this object lives.
class ProcedureContext {
  public:
    explicit ProcedureContext(int number);
    ~ProcedureContext();
    ProcedureContext(const ProcedureContext&) = delete;
    ProcedureContext& operator=(const ProcedureContext&) = delete;

  private:
    ThreadContext m_context;
};

}  // namespace rt
