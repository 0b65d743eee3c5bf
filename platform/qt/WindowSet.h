#pragma once

#include <QIcon>
#include <QPointer>
#include <map>
#include <memory>
#include <string>

#include "ActionStates.h"
#include "FrameWindow.h"
#include "StandardActions.h"
#include "StatusChild.h"
#include "platform/base/EntryGuard.h"
#include "platform/window/Presenter.h"

namespace rt::qt {

// Every window the presenter shows, on the GUI thread only: the frame, the
// child windows inside it, and the standard actions that work on them. It
// turns the person's actions into calls to the layer, which only queue events.
class WindowSet {
  public:
    WindowSet();
    ~WindowSet();
    WindowSet(const WindowSet&) = delete;
    WindowSet& operator=(const WindowSet&) = delete;

    void attach(UserActions& actions) { m_actions = &actions; }
    // Called before a window first measures text, as late as that can be:
    // fonts being loaded on another thread are waited for there.
    void awaitFontsWith(std::function<void()> wait) { m_awaitFonts = std::move(wait); }
    void show(const WindowView& view);
    void setText(WindowId window, int control, const std::string& text);
    void focus(WindowId window, int control);
    void close(WindowId window);
    void beep();
    // The program's icon, read after the first windows may have been shown:
    // the toolkit gives a new icon to windows of their own only, so the
    // child windows already shown are given it here.
    void adoptProgramIcon(const QIcon& icon);
    void tellUser(const std::string& text);
    void setZone(int zone, const std::string& text, const std::string& tip);
    void setAbout(const std::string& text);

    FrameWindow* frame() const { return m_frame.get(); }
    StatusChild* child(WindowId window) const;
    StandardActions* standardActions() const { return m_standard.get(); }
    ActionStates* actionStates() const { return m_states.get(); }

  private:
    void showFrame(const WindowView& view);
    void showChild(const WindowView& view);
    void chose(const definition::MenuEntry& entry);
    void childActivated(QMdiSubWindow* window);
    // Where a new window goes in the frame's area (WindowArrangement.h).
    void place(StatusChild& child);
    // Numbers the titles of open windows that share one (WindowTitles.h).
    void retitle();
    // The open, not minimised, window on top, leaving `leaving` out.
    QMdiSubWindow* topWindowBut(const QMdiSubWindow* leaving) const;
    // A minimised active window hands activation to the one underneath.
    void stateChanged(QMdiSubWindow& child, Qt::WindowStates now);
    // The person's actions reach the layer only once it has attached. Qt
    // calls in here from its event loop, which nothing may escape from.
    // An event that cannot be queued is lost and the window stays usable;
    // memory running out ends the program, as it does everywhere.
    template <typename Call>
    void tell(Call call) noexcept {
        (void)returnsNormally([&] {
            if (m_actions != nullptr) {
                call(*m_actions);
            }
        });
    }

    UserActions* m_actions = nullptr;
    std::function<void()> m_awaitFonts;
    std::unique_ptr<FrameWindow> m_frame;
    std::unique_ptr<StandardActions> m_standard;
    std::unique_ptr<ActionStates> m_states;
    std::map<WindowId, QPointer<StatusChild>> m_children;
};

}  // namespace rt::qt
