#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <optional>

#include "platform/definition/WindowDescription.h"
#include "platform/window/LayoutUnits.h"

namespace rt::qt {

// How a definition's fonts and colours look on this desktop. Colours that
// name a system colour follow the desktop's palette, so a window keeps
// looking native under any style or theme.
class Appearance {
  public:
    // The window's font; a window without one uses the desktop's own.
    static QFont windowFont(const definition::WindowDescription& description);
    // A control's font: the walk has already filled in what the control's
    // own font left out, so only a face or size that is still missing falls
    // back to the window's.
    static QFont controlFont(const definition::Control& control, const QFont& windowFont);

    // A colour that is not given, or a system colour with no counterpart, is nothing.
    static std::optional<QColor> colour(const definition::Colour& colour, const QPalette& palette);

    static BaseUnits baseUnitsOf(const QFont& font);

    // `text` where it reads on `background`, else a shade of it that does.
    static QColor readable(const QColor& text, const QColor& background);
};

}  // namespace rt::qt
