#include <windows.h>

#include "Win32Errors.h"
#include "Win32Platform.h"
#include "platform/base/EntryGuard.h"
#include "platform/threads/NativeThread.h"

namespace rt {

struct NativeThread::Impl {
    std::function<void()> body;
    HANDLE handle = nullptr;
    std::error_code startError;
    bool joined = false;

    static DWORD WINAPI entry(void* self) {
        guardEntry(detail::kBodyThrew, [self] { static_cast<Impl*>(self)->body(); });
        return 0;
    }
};

// CreateThread: the C runtime is a DLL (CRTDLL.DLL, MSVCRT.DLL), which sets up
// and frees its per-thread state as threads attach and detach; CRTDLL has no
// _beginthreadex. Windows 95, 98 and Me refuse to start a thread without
// somewhere to put its id, so one is always given. The size
// is the stack's reservation, as the program's own default is, and pages are
// committed as the stack grows; the 95 family has no such flag, and there the
// size is committed at once (a megabyte of a few threads' stacks).
NativeThread::NativeThread(std::function<void()> body, std::size_t stackBytes)
    : m_impl(std::make_unique<Impl>()) {
    m_impl->body = std::move(body);
    if (detail::takeRefusedStart()) {
        m_impl->startError = std::make_error_code(std::errc::resource_unavailable_try_again);
        return;
    }
    const SIZE_T size = effectiveStackBytes(stackBytes);
    DWORD threadId = 0;
    const DWORD flags = isWindows95Family() ? 0 : STACK_SIZE_PARAM_IS_A_RESERVATION;
    m_impl->handle = ::CreateThread(nullptr, size, &Impl::entry, m_impl.get(), flags, &threadId);
    if (m_impl->handle == nullptr) {
        const DWORD error = ::GetLastError();
        m_impl->startError = win32Error(error != ERROR_SUCCESS ? error : ERROR_NOT_ENOUGH_MEMORY);
    }
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

std::error_code NativeThread::startError() const {
    return m_impl->startError;
}

void NativeThread::join() {
    if (isStarted() && !m_impl->joined) {
        ::WaitForSingleObject(m_impl->handle, INFINITE);
        m_impl->joined = true;
    }
}

}  // namespace rt
