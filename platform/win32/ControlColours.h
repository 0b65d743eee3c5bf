#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <utility>

#include "Handles.h"
#include "platform/definition/WindowDescription.h"

namespace rt::win32 {

// The colours a status window's read-only edits and statics are painted in,
// and the brushes for them, kept for the window's life.
class ControlColours {
  public:
    explicit ControlColours(std::shared_ptr<const definition::WindowDescription> description)
        : m_description(std::move(description)) {}

    // Sets the colours of `dc` for the control and gives the background's
    // brush. A value display takes its background from the definition; a
    // text takes the window's background and its font's colour.
    HBRUSH colour(HDC dc, HWND control);

  private:
    HBRUSH brush(COLORREF colour);

    std::shared_ptr<const definition::WindowDescription> m_description;
    std::map<COLORREF, GdiObject<HBRUSH>> m_brushes;
};

}  // namespace rt::win32
