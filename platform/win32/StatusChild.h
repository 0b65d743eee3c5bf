#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "ChildControls.h"
#include "ControlColours.h"
#include "platform/window/Presenter.h"
#include "platform/window/WindowArrangement.h"

namespace rt::win32 {

// One window of a window procedure, drawn as an MDI child of the frame with a
// native control per definition control (ChildControls). Inside it dialog
// conventions hold: Tab moves between the controls, the
// focused push button (else the first) is the default one that Enter presses,
// Esc closes the window, and the control last focused gets the focus back
// whenever the window does. Lives on the GUI thread; a person's actions
// become events through UserActions and nothing here waits for a procedure.
class StatusChild {
  public:
    static constexpr const char* kClassName = "KeldwickWindow";
    // Picks the new window's place from its outer size.
    using Placement = std::function<PixelPoint(PixelSize)>;

    // Null when the system refused the window.
    static std::unique_ptr<StatusChild> create(HWND client, const WindowView& view, UserActions& actions,
                                               const Placement& place);
    ~StatusChild();
    StatusChild(const StatusChild&) = delete;
    StatusChild& operator=(const StatusChild&) = delete;

    HWND handle() const { return m_window; }
    // As defined: the title shown may carry a number (WindowTitles.h).
    const std::string& definedTitle() const { return m_description->title; }
    const std::string& windowKey() const { return m_description->windowKey; }
    void setText(int control, const std::string& text);
    void focus(int control);
    // Enter and Esc as a dialog takes them, for a key message meant for this
    // window's controls; true when the key was used.
    bool dialogKey(const MSG& message);
    // The values with their labels, one line each, as the clipboard takes them.
    std::string valuesText() const;
    // The default button's heavier border on the focused push button, else
    // the first one, whatever else has the focus.
    void showDefaultButton();
    // The window's own menu (move, minimise, restore, close), opened from the
    // keyboard below its title bar, as Alt+minus opens it.
    void openOwnMenu();

    static bool registerClass(HINSTANCE instance);

    struct Key {
      private:
        Key() = default;
        friend class StatusChild;
    };
    StatusChild(Key, HWND client, const WindowView& view, UserActions& actions);

  private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void focusMoved(int control);
    int defaultButton() const;

    WindowId m_id;
    HWND m_client;
    HWND m_window = nullptr;
    std::shared_ptr<const definition::WindowDescription> m_description;
    UserActions& m_actions;
    ChildControls m_controls;
    ControlColours m_colours;
    int m_focus = 0;  // the control that gets the focus when the window does
};

}  // namespace rt::win32
