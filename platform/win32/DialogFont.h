#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "Handles.h"
#include "LayoutUnits.h"

namespace rt::win32 {

// A font of the windows' controls and the layout units it defines. Where the
// face is missing, the system's font mapper picks the nearest one, and the
// units follow whatever was picked.
class DialogFont {
  public:
    static constexpr std::string_view kDefaultFace = "Arial";
    static constexpr int kDefaultPoints = 8;

    DialogFont(const std::string& face, int points);
    DialogFont(DialogFont&& other) noexcept = default;
    DialogFont& operator=(DialogFont&&) = delete;
    DialogFont(const DialogFont&) = delete;
    DialogFont& operator=(const DialogFont&) = delete;

    HFONT handle() const { return m_font.get(); }
    const LayoutUnits& units() const { return m_units; }
    // From the top of a line of text to its baseline, in pixels.
    int ascent() const { return m_ascent; }
    int textWidth(std::string_view text) const;

  private:
    void measure();

    GdiObject<HFONT> m_font;
    LayoutUnits m_units{1, 1};
    int m_ascent = 0;
};

}  // namespace rt::win32
