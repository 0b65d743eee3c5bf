#include "platform/window/ThreadContext.h"

namespace rt {

namespace {

ThreadContext g_firstThread;
// A bare pointer: the toolchain for older Windows runs no destructors of
// thread-locals when a thread ends.
thread_local ThreadContext* t_context = nullptr;

}  // namespace

ThreadContext* currentContext() {
    return t_context;
}

void enterFirstThread() {
    g_firstThread = ThreadContext{};
    g_firstThread.number = FirstThread;
    t_context = &g_firstThread;
}

void leaveFirstThread() {
    g_firstThread = ThreadContext{};
    t_context = nullptr;
}

ProcedureContext::ProcedureContext(int number) {
    m_context.number = number;
    t_context = &m_context;
}

ProcedureContext::~ProcedureContext() {
    t_context = nullptr;
}

}  // namespace rt
