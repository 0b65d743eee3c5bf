#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "DialogFont.h"
#include "platform/window/Presenter.h"

namespace rt::win32 {

// One window of a window procedure, drawn as an MDI child of the frame with a
// native control per definition control: static texts, read-only edits for
// value displays (so their text can be selected and copied), push buttons.
// Lives on the GUI thread; a person's actions become events through
// UserActions and nothing here waits for a procedure.
class StatusChild {
  public:
    static constexpr const char* kClassName = "KeldwickWindow";

    // Null when the system refused the window.
    static std::unique_ptr<StatusChild> create(HWND client, const WindowView& view, UserActions& actions);
    ~StatusChild();
    StatusChild(const StatusChild&) = delete;
    StatusChild& operator=(const StatusChild&) = delete;

    HWND handle() const { return m_window; }
    void setText(int control, const std::string& text);
    void focus(int control);

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
    void createControls(const std::map<int, std::string>& texts);
    const DialogFont& fontFor(const definition::Font& font);
    HBRUSH colour(HDC dc, HWND control);
    HBRUSH brush(COLORREF colour);

    WindowId m_id;
    HWND m_client;
    HWND m_window = nullptr;
    std::shared_ptr<const definition::WindowDescription> m_description;
    UserActions& m_actions;
    DialogFont m_font;
    std::map<std::pair<std::string, int>, DialogFont> m_controlFonts;
    std::map<int, HWND> m_controls;
    std::map<COLORREF, HBRUSH> m_brushes;
    int m_focus = 0;
};

}  // namespace rt::win32
