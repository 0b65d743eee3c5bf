#include "Win32Presenter.h"

#include <commctrl.h>

#include <mutex>

#include "WindowClass.h"
#include "platform/base/EntryGuard.h"

namespace rt::win32 {

namespace {

constexpr UINT kRequestsWaiting = WM_APP + 1;

bool registerRequestClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = Win32Presenter::kRequestClassName;
    return ::RegisterClassExA(&windowClass) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

Win32Presenter::Win32Presenter(Key, OwnWindow requests, KernelHandle wake)
    : m_guiThread(::GetCurrentThreadId()), m_requestWindow(std::move(requests)), m_wake(std::move(wake)) {
    ::SetWindowLongPtrA(m_requestWindow.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

rt::Result<std::unique_ptr<Win32Presenter>, DesktopError> Win32Presenter::create() {
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    // The plain form: the common controls of Windows 95 (4.00) have no other,
    // and it registers the status bar, the only common control used here.
    ::InitCommonControls();
    if (!registerRequestClass(instance, &Win32Presenter::requestProcedure) ||
        !FrameWindow::registerClass(instance) || !StatusChild::registerClass(instance)) {
        return DesktopError{"the window classes could not be registered"};
    }
    // A top-level window that is never shown: message-only windows came with
    // Windows 2000, and this one only receives the requests' posted messages.
    OwnWindow requests(::CreateWindowExA(0, kRequestClassName, nullptr, WS_POPUP, 0, 0, 0, 0, nullptr,
                                         nullptr, instance, nullptr));
    KernelHandle wake(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (!requests || !wake) {
        return DesktopError{"the desktop refused the presenter's request window"};
    }
    return std::make_unique<Win32Presenter>(Key{}, std::move(requests), std::move(wake));
}

Win32Presenter::~Win32Presenter() {
    shutdown();
}

bool Win32Presenter::onGuiThread() const {
    return ::GetCurrentThreadId() == m_guiThread;
}

// Queued even on the GUI thread, so that no request runs inside its caller:
// the frame's procedure, which makes requests on this thread, never finds
// window code running within its own calls, and every request keeps its
// place in the one order, whichever thread made it.
void Win32Presenter::request(std::function<void()> work) {
    {
        std::lock_guard lock(m_lock);
        m_requests.push_back(std::move(work));
    }
    ::PostMessageA(m_requestWindow.get(), kRequestsWaiting, 0, 0);
}

// Takes the requests one at a time, so that one made while another runs (a
// window procedure reacting to a new window) keeps its place in the order.
void Win32Presenter::runRequests() {
    for (;;) {
        std::function<void()> work;
        {
            std::lock_guard lock(m_lock);
            if (m_requests.empty()) {
                return;
            }
            work = std::move(m_requests.front());
            m_requests.pop_front();
        }
        work();
    }
}

LRESULT CALLBACK Win32Presenter::requestProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardEntry(kWindowEndedByError, [&]() -> LRESULT {
        if (message == kRequestsWaiting) {
            if (auto* self = reinterpret_cast<Win32Presenter*>(::GetWindowLongPtrA(window, GWLP_USERDATA))) {
                self->runRequests();
            }
            return 0;
        }
        return ::DefWindowProcA(window, message, wParam, lParam);
    });
}

void Win32Presenter::attach(UserActions& actions) {
    m_actions = &actions;
}

void Win32Presenter::show(const WindowView& view) {
    request([this, view] {
        if (m_actions == nullptr) {
            return;
        }
        if (view.isFrame) {
            if (!m_frame) {
                m_frame = FrameWindow::create(view, *m_actions);
            }
        } else if (m_frame) {
            // Windows other than the frame are drawn inside it; without one they stay undrawn.
            m_frame->showChild(view);
        }
    });
}

void Win32Presenter::setText(WindowId window, int control, const std::string& text) {
    request([this, window, control, text] {
        if (m_frame) {
            m_frame->setText(window, control, text);
        }
    });
}

void Win32Presenter::focus(WindowId window, int control) {
    request([this, window, control] {
        if (m_frame) {
            m_frame->focus(window, control);
        }
    });
}

void Win32Presenter::close(WindowId window) {
    request([this, window] {
        if (m_frame) {
            m_frame->close(window);
        }
    });
}

void Win32Presenter::beep() {
    request([] { ::MessageBeep(MB_ICONHAND); });
}

// Over the frame when there is one; the frame's own messages keep flowing
// while the box is up, so the other windows stay alive.
void Win32Presenter::tellUser(const std::string& text) {
    request([this, text] {
        HWND owner = m_frame ? m_frame->handle() : nullptr;
        char title[128] = "keldwick";
        if (owner != nullptr) {
            ::GetWindowTextA(owner, title, sizeof title);
        }
        ::MessageBoxA(owner, text.c_str(), title, MB_OK | MB_ICONEXCLAMATION);
    });
}

void Win32Presenter::setZone(int zone, const std::string& text, const std::string& tip) {
    request([this, zone, text, tip] {
        if (m_frame) {
            m_frame->setZone(zone, text, tip);
        }
    });
}

void Win32Presenter::setAbout(const std::string& text) {
    request([this, text] {
        if (m_frame) {
            m_frame->setAbout(text);
        }
    });
}

void Win32Presenter::pumpMessages() {
    MSG message{};
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != 0) {
        if (m_frame && m_frame->translate(message)) {
            continue;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

// The first thread's wait: it keeps the windows alive (messages dispatched,
// messages sent from other threads served) until wakeUp() is called.
void Win32Presenter::waitForWork() {
    for (;;) {
        runRequests();
        pumpMessages();
        // Every message was taken just above, so waiting for new input only
        // (what Windows 95 offers) misses none.
        HANDLE wake = m_wake.get();
        const DWORD woken = ::MsgWaitForMultipleObjects(1, &wake, FALSE, INFINITE, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0) {
            runRequests();
            return;
        }
        if (woken == WAIT_FAILED) {
            return;
        }
    }
}

void Win32Presenter::wakeUp() {
    ::SetEvent(m_wake.get());
}

void Win32Presenter::shutdown() {
    if (onGuiThread()) {
        runRequests();
        m_frame.reset();
    }
    m_actions = nullptr;
}

}  // namespace rt::win32
