#include <process.h>
#include <windows.h>

#include <algorithm>

#include "../NativeThread.h"

namespace rt {

struct NativeThread::Impl {
    std::function<void()> body;
    HANDLE handle = nullptr;
    bool joined = false;

    static unsigned __stdcall entry(void* self) {
        static_cast<Impl*>(self)->body();
        return 0;
    }
};

std::size_t NativeThread::effectiveStackBytes(std::size_t requested) {
    return requested == 0 ? 0 : std::max(requested, kMinimumStackBytes);
}

// _beginthreadex rather than CreateThread, so that the C runtime's per-thread
// state is set up for the body. The size is the stack's reservation, as the
// program's own default is; pages are committed as the stack grows.
NativeThread::NativeThread(std::function<void()> body, std::size_t stackBytes)
    : m_impl(std::make_unique<Impl>()) {
    m_impl->body = std::move(body);
    const auto size = static_cast<unsigned>(effectiveStackBytes(stackBytes));
    const auto started = ::_beginthreadex(nullptr, size, &Impl::entry, m_impl.get(),
                                          STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    m_impl->handle = reinterpret_cast<HANDLE>(started);
}

NativeThread::~NativeThread() {
    join();
    if (m_impl->handle != nullptr) {
        ::CloseHandle(m_impl->handle);
    }
}

bool NativeThread::isStarted() const {
    return m_impl->handle != nullptr;
}

void NativeThread::join() {
    if (isStarted() && !m_impl->joined) {
        ::WaitForSingleObject(m_impl->handle, INFINITE);
        m_impl->joined = true;
    }
}

}  // namespace rt
