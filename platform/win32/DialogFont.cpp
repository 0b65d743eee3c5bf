#include "DialogFont.h"

namespace rt::win32 {

namespace {

constexpr int kPointsPerInch = 72;

// A screen device context with a font selected, restored and released on exit.
class MeasuringContext {
  public:
    explicit MeasuringContext(HFONT font) : m_dc(::GetDC(nullptr)) {
        m_previous = ::SelectObject(m_dc, font);
    }
    ~MeasuringContext() {
        ::SelectObject(m_dc, m_previous);
        ::ReleaseDC(nullptr, m_dc);
    }
    MeasuringContext(const MeasuringContext&) = delete;
    MeasuringContext& operator=(const MeasuringContext&) = delete;

    HDC dc() const { return m_dc; }

  private:
    HDC m_dc;
    HGDIOBJ m_previous = nullptr;
};

HFONT createFont(const std::string& face, int points) {
    const MeasuringContext screen(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    const int height = -::MulDiv(points, ::GetDeviceCaps(screen.dc(), LOGPIXELSY), kPointsPerInch);
    return ::CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face.c_str());
}

}  // namespace

DialogFont::DialogFont(const std::string& face, int points)
    : m_font(
          createFont(face.empty() ? std::string(kDefaultFace) : face, points > 0 ? points : kDefaultPoints)) {
    if (!m_font) {
        m_font.reset(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    }
    measure();
}

void DialogFont::measure() {
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    const MeasuringContext screen(m_font.get());
    TEXTMETRICA metrics{};
    SIZE letters{};
    if (::GetTextMetricsA(screen.dc(), &metrics) == 0 ||
        ::GetTextExtentPoint32A(screen.dc(), kLetters, static_cast<int>(sizeof kLetters - 1), &letters) ==
            0) {
        const LONG base = ::GetDialogBaseUnits();
        m_units = LayoutUnits(LOWORD(base), HIWORD(base));
        m_ascent = HIWORD(base);
        return;
    }
    m_units = LayoutUnits::fromFontMetrics(letters.cx, metrics.tmHeight);
    m_ascent = metrics.tmAscent;
}

int DialogFont::textWidth(std::string_view text) const {
    const MeasuringContext screen(m_font.get());
    SIZE extent{};
    if (::GetTextExtentPoint32A(screen.dc(), text.data(), static_cast<int>(text.size()), &extent) == 0) {
        return static_cast<int>(text.size()) * m_units.baseX();
    }
    return extent.cx;
}

}  // namespace rt::win32
