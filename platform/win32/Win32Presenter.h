#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "FrameWindow.h"
#include "Handles.h"
#include "platform/base/Result.h"
#include "platform/threads/Lock.h"
#include "platform/window/DesktopPresenter.h"
#include "platform/window/Presenter.h"

namespace rt::win32 {

// Draws the windows with the system's own controls. Every window lives on
// the first thread, the GUI thread: a window belongs to the thread that made
// it, and MDI children on other threads would tie the threads' input
// together. Every request is queued, from whichever thread, and the GUI
// thread is told with a posted message, which even a modal loop (a menu being
// tracked, the printer dialog) dispatches. Nothing here ever waits for a
// procedure thread.
class Win32Presenter final : public Presenter {
  public:
    static constexpr const char* kRequestClassName = "KeldwickRequests";

    struct Key {
      private:
        Key() = default;
        friend class Win32Presenter;
    };
    Win32Presenter(Key, OwnWindow requests, KernelHandle wake);

    // On the first thread. Fails when the system refuses the window classes
    // or the request window.
    static rt::Result<std::unique_ptr<Win32Presenter>, DesktopError> create();
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
    void setZone(int zone, const std::string& text, const std::string& tip) override;
    void setAbout(const std::string& text) override;
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
    OwnWindow m_requestWindow;
    KernelHandle m_wake;
    UserActions* m_actions = nullptr;  // set before any other thread exists
    std::unique_ptr<FrameWindow> m_frame;

    Lock m_lock;
    std::deque<std::function<void()>> m_requests;
};

}  // namespace rt::win32
