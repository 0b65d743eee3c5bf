#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "FrameWindow.h"
#include "platform/Lock.h"
#include "platform/window/Presenter.h"

namespace rt::win32 {

// Draws the windows with the system's own controls. Every window lives on
// the first thread, the GUI thread: a window belongs to the thread that made
// it, and MDI children on other threads would tie the threads' input
// together. Requests from procedure threads are queued and the GUI thread is
// told with a posted message, which even a modal loop (a menu being tracked,
// the printer dialog) dispatches; requests made on the GUI thread run at once,
// after the queued ones. Nothing here ever waits for a procedure thread.
class Win32Presenter final : public Presenter {
  public:
    static constexpr const char* kRequestClassName = "KeldwickRequests";

    struct Key {
      private:
        Key() = default;
        friend class Win32Presenter;
    };
    Win32Presenter(Key, HWND requests, HANDLE wake);

    // On the first thread. Null, with the reason, when the system refuses the
    // window classes or the request window.
    static std::unique_ptr<Win32Presenter> create(std::string& error);
    ~Win32Presenter() override;
    Win32Presenter(const Win32Presenter&) = delete;
    Win32Presenter& operator=(const Win32Presenter&) = delete;

    void attach(UserActions& actions) override;
    void show(const WindowView& view) override;
    void setText(WindowId window, int control, const std::string& text) override;
    void focus(WindowId window, int control) override;
    void close(WindowId window) override;
    void beep() override;
    void tellUser(const std::string& text) override;
    void waitForWork() override;
    void wakeUp() override;
    void shutdown() override;

  private:
    void request(std::function<void()> work);
    void runRequests();
    void pumpMessages();
    bool onGuiThread() const;
    static LRESULT CALLBACK requestProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    const DWORD m_guiThread;
    HWND m_requestWindow;
    HANDLE m_wake;
    UserActions* m_actions = nullptr;  // set before any other thread exists
    std::unique_ptr<FrameWindow> m_frame;

    Lock m_lock;
    std::deque<std::function<void()>> m_requests;
};

}  // namespace rt::win32
