#pragma once

#include <cstdint>

#include "platform/definition/WindowDescription.h"
#include "platform/window/LayoutUnits.h"

namespace rt::win32 {

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Layout units are dialog units of the window's font. Windows converts them
// only for dialogs, so the presenter measures the font itself and converts
// with the window layer's own arithmetic, which rounds as MulDiv does.
class LayoutUnits {
  public:
    // From the extent of the 52 letters "A".."Z", "a".."z" and the font's text
    // height, the way the system measures a dialog font.
    static LayoutUnits fromFontMetrics(int lettersWidth, int textHeight);

    LayoutUnits(int baseX, int baseY);

    int baseX() const { return m_baseX; }
    int baseY() const { return m_baseY; }
    int toPixelsX(std::int32_t units) const;
    int toPixelsY(std::int32_t units) const;

    // A control's rectangle. Sizes the definition leaves open are fitted: a
    // text to its measured width, a value display to its picture's width in
    // average characters, a push button to the usual button size or its text.
    PixelRect controlRect(const definition::Control& control, int textWidthPixels) const;

  private:
    int m_baseX;
    int m_baseY;
};

// A window's width or height as its definition gives it, in layout units;
// `fallback` where it gives none (or none that can be drawn).
int givenSizeOr(std::int32_t size, int fallback);

// The width in characters that a value display's picture asks for ("s40":
// 40); 0 when the picture names none.
int pictureWidth(const std::string& picture);

}  // namespace rt::win32
