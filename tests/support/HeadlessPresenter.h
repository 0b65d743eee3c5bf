#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/threads/Lock.h"
#include "platform/threads/Signal.h"
#include "platform/window/Presenter.h"

namespace rt::test {

using rt::UserActions;
using rt::WindowId;
using rt::WindowView;

// Draws nothing: it keeps what a screen would show (titles, control texts,
// focus, which windows are open, beeps, standard actions asked for) and lets
// a test act as a person would. Every call is safe from any thread. A record
// of requests rather than a screen, it notes each one at once, in the order
// they come: there is no window code of its own that could run inside a caller.
class HeadlessPresenter final : public rt::Presenter {
  public:
    struct ShownWindow {
        WindowId id = 0;
        bool isFrame = false;
        std::string title;
        std::map<int, std::string> texts;
        std::map<int, int> redraws;  // how often each control was drawn after it was shown
        int focus = 0;
        bool isOpen = true;
        std::shared_ptr<const rt::definition::WindowDescription> description;
    };

    // What a person does.
    void press(WindowId window, int control);
    // Chooses a menu entry of the frame by id; standard actions are carried out here.
    void choose(WindowId frame, int entry);
    void activate(WindowId window);
    void closeBySystem(WindowId window);
    void rejectInput(WindowId window, int control);

    // What a screen would show.
    std::vector<ShownWindow> windows() const;
    std::vector<ShownWindow> openWindows() const;
    int beeps() const;
    std::vector<int> standardActions() const;
    // What the person was told, in order.
    std::vector<std::string> messages() const;
    struct Zone {
        std::string text;
        std::string tip;
        friend bool operator==(const Zone&, const Zone&) = default;
    };
    // The frame's status-bar zones given a text, by number; and its About text.
    std::map<int, Zone> zones() const;
    std::string about() const;

    // Waits until `ready` holds for the windows, or the time is up.
    bool waitFor(const std::function<bool(const std::vector<ShownWindow>&)>& ready,
                 std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;

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
    ShownWindow* findLocked(WindowId id);
    UserActions* actions() const;
    void changed();

    mutable rt::Lock m_lock;
    // Every thread in waitFor has a signal of its own here, set at each change.
    mutable std::vector<rt::Signal*> m_watchers;
    rt::Signal m_woken;  // only the first thread waits for work
    UserActions* m_actions = nullptr;
    std::vector<ShownWindow> m_windows;
    std::vector<int> m_actionCodes;
    std::vector<std::string> m_messages;
    std::map<int, Zone> m_zones;
    std::string m_about;
    int m_beeps = 0;
};

}  // namespace rt::test
