#include "Appearance.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QString>
#include <array>
#include <utility>

#include "Latin1Text.h"
#include "platform/window/ReadableColour.h"

namespace rt::qt {

namespace {

// Windows system colour indices and the palette roles that play their part.
constexpr std::array<std::pair<int, QPalette::ColorRole>, 12> kSystemColours{{
    {4, QPalette::Window},            // menu background
    {5, QPalette::Base},              // window background
    {7, QPalette::WindowText},        // menu text
    {8, QPalette::Text},              // window text
    {13, QPalette::Highlight},        // selected item
    {14, QPalette::HighlightedText},  // selected text
    {15, QPalette::Button},           // button face
    {16, QPalette::Dark},             // button shadow
    {17, QPalette::PlaceholderText},  // grey text
    {18, QPalette::ButtonText},       // button text
    {20, QPalette::Light},            // button highlight
    {24, QPalette::ToolTipBase},      // tool tip background
}};

constexpr int kLargestPoints = 200;

QFont fontFrom(const definition::Font& font, const QFont& fallback) {
    QFont result = fallback;
    if (!font.face.empty()) {
        result.setFamily(latin1Text(font.face));
        // Where the face is missing, a metric-compatible sans serif keeps the layout.
        result.setStyleHint(QFont::SansSerif);
    }
    if (font.size > 0 && font.size < kLargestPoints) {
        result.setPointSize(static_cast<int>(font.size));
    }
    return result;
}

}  // namespace

QFont Appearance::windowFont(const definition::WindowDescription& description) {
    if (!description.hasFont) {
        return QGuiApplication::font();
    }
    return fontFrom(description.font, QGuiApplication::font());
}

QFont Appearance::controlFont(const definition::Control& control, const QFont& windowFont) {
    return control.hasOwnFont ? fontFrom(control.font, windowFont) : windowFont;
}

std::optional<QColor> Appearance::colour(const definition::Colour& colour, const QPalette& palette) {
    if (!colour.isGiven()) {
        return std::nullopt;
    }
    if (!colour.isSystemColour()) {
        return QColor(colour.red(), colour.green(), colour.blue());
    }
    for (const auto& [index, role] : kSystemColours) {
        if (index == colour.systemIndex()) {
            return palette.color(role);
        }
    }
    return std::nullopt;
}

QColor Appearance::readable(const QColor& text, const QColor& background) {
    const Rgb shade = readableShade({text.red(), text.green(), text.blue()},
                                    {background.red(), background.green(), background.blue()});
    return {shade.red, shade.green, shade.blue};
}

BaseUnits Appearance::baseUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    return baseUnitsFrom(
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")),
        metrics.height());
}

}  // namespace rt::qt
