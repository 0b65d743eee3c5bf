#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "DialogFont.h"
#include "platform/definition/WindowDescription.h"

namespace rt::win32 {

// The native controls of one status window, a control per definition
// control: static texts, read-only edits for value displays (so their text
// can be selected and copied), push buttons, the first of them the default
// one. Made in the window's font, then widened, aligned and fitted as that
// font asks; found again by their ids.
class ChildControls {
  public:
    explicit ChildControls(std::shared_ptr<const definition::WindowDescription> description);

    // The window's own font, which its layout units come from.
    const DialogFont& windowFont() const { return m_font; }

    // Makes the controls inside `window`, with `texts` where given and the
    // definition's texts elsewhere, and grows the window to hold them.
    void create(HWND window, const std::map<int, std::string>& texts);

    // Null when the control is not there (the system refused it).
    HWND find(int id) const;

  private:
    void widenDisplays();
    void alignLabels();
    void fitWindowToControls();
    const DialogFont& fontFor(const definition::Control& control);

    std::shared_ptr<const definition::WindowDescription> m_description;
    DialogFont m_font;
    std::map<std::pair<std::string, int>, DialogFont> m_controlFonts;
    HWND m_window = nullptr;
    std::map<int, HWND> m_controls;
};

}  // namespace rt::win32
