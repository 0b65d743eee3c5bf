#pragma once

#include <QApplication>
#include <memory>
#include <string>

#include "GuiThread.h"
#include "WarmUpThread.h"
#include "WindowSet.h"
#include "platform/window/Presenter.h"

namespace rt::qt {

// The presenter for Linux desktops, on Qt Widgets. Made on the first thread,
// which becomes the GUI thread: every widget lives there, all requests are
// carried out there in the order they were made, and the frame's procedure
// keeps Qt's events flowing while it waits.
class QtPresenter final : public Presenter {
  public:
    // Makes the application object unless the process already has one (a
    // test's); only one it made is destroyed with the presenter. With it,
    // the fonts and the program's icon are loaded beside the GUI thread,
    // which waits for the fonts before it first measures text and gives the
    // icon to the windows when it comes.
    static std::unique_ptr<QtPresenter> create();
    // `application` may be null when the process's application object belongs
    // to someone else; `warmUp`, when given, is loading the fonts.
    explicit QtPresenter(std::unique_ptr<QApplication> application,
                         std::unique_ptr<WarmUpThread> warmUp = nullptr);
    ~QtPresenter() override;

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
    // Carries out what is still queued, then destroys the windows and, if it
    // made it, the application object.
    void shutdown() override;

    // The windows as they are now; on the GUI thread only.
    WindowSet& windows() { return *m_windows; }

  private:
    void continueWarmUp(const QString& programFolder);

    std::unique_ptr<QApplication> m_application;
    std::unique_ptr<WarmUpThread> m_warmUp;
    std::unique_ptr<GuiThread> m_gui;
    std::unique_ptr<WindowSet> m_windows;
};

}  // namespace rt::qt
