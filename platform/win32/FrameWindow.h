#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "DialogFont.h"
#include "Handles.h"
#include "MenuBar.h"
#include "StandardActions.h"
#include "StatusChild.h"
#include "platform/window/Presenter.h"

namespace rt::win32 {

// The frame window: its menu bar, an MDI client for the other windows and a
// status bar with the definition's zones, the first one stretching. It owns
// the MDI children and everything lives on the GUI thread.
class FrameWindow {
  public:
    static constexpr const char* kClassName = "KeldwickFrame";
    static constexpr int kStatusBarId = 1;

    struct Key {
      private:
        Key() = default;
        friend class FrameWindow;
    };
    FrameWindow(Key, const WindowView& view, UserActions& actions);

    // Null when the system refused the window.
    static std::unique_ptr<FrameWindow> create(const WindowView& view, UserActions& actions);
    ~FrameWindow();
    FrameWindow(const FrameWindow&) = delete;
    FrameWindow& operator=(const FrameWindow&) = delete;

    WindowId id() const { return m_id; }
    HWND handle() const { return m_window.get(); }

    void showChild(const WindowView& view);
    void setText(WindowId window, int control, const std::string& text);
    void focus(WindowId window, int control);
    void close(WindowId window);
    // Zone `zone` (1 the leftmost) shows `text`; `tip` pops up over it.
    void setZone(int zone, const std::string& text, const std::string& tip);
    void setAbout(const std::string& text) { m_about = text; }

    // The keyboard handling a frame's message loop owes its windows: MDI
    // shortcuts (Ctrl+F4, Ctrl+F6) and Tab between the active window's controls.
    // Then Enter and Esc in the active window, then the menus' shortcut keys.
    bool translate(MSG& message);

    static bool registerClass(HINSTANCE instance);

  private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool createParts();
    void layout(int width, int height);
    void command(unsigned number);
    void menuSelected(WPARAM wParam, LPARAM lParam);
    void menuOpening(HMENU popup);
    ActionSituation actionSituation() const;
    StatusChild* activeChild() const;
    std::vector<PixelPoint> openPositions() const;
    // Numbers the titles of open windows that share one (WindowTitles.h).
    void retitle();
    void showAbout();
    // Keeps each zone's tip over the zone as the bar is laid out anew.
    void placeTips();
    LRESULT passOn(UINT message, WPARAM wParam, LPARAM lParam);

    WindowId m_id;
    std::shared_ptr<const definition::WindowDescription> m_description;
    UserActions& m_actions;
    DialogFont m_font;
    MenuBar m_menu;
    StandardActions m_standard;
    OwnWindow m_window;
    HWND m_client = nullptr;
    HWND m_statusBar = nullptr;
    std::map<WindowId, std::unique_ptr<StatusChild>> m_children;
    std::vector<WindowId> m_order;  // the children in the order they were made
    HWND m_tips = nullptr;          // the status bar's tool tips; destroyed with the frame
    std::map<int, std::string> m_zoneTips;
    std::string m_about;
};

}  // namespace rt::win32
