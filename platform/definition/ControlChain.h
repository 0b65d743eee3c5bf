#pragma once

#include <cstdint>
#include <vector>

#include "platform/definition/DefinitionError.h"
#include "platform/definition/StoredDefinitionView.h"

namespace rt::definition {

// Reads a window's controls along their chain, in chain order. Fonts a
// control does not give come from the window's font, so every control leaves
// here with the font it is drawn in.
class ControlChain {
  public:
    ControlChain(StoredDefinitionView& view, const Font& windowFont)
        : m_view(view), m_windowFont(windowFont) {}

    [[nodiscard]] Result<std::vector<Control>, DefinitionError> read(std::int32_t first);

  private:
    [[nodiscard]] Result<PieceKind, DefinitionError> controlPiece(std::int32_t offset);
    [[nodiscard]] Result<void, DefinitionError> readStaticText(const rt::ByteReader& record,
                                                               Control& control);
    [[nodiscard]] Result<void, DefinitionError> readValueDisplay(const rt::ByteReader& record,
                                                                 Control& control);
    [[nodiscard]] Result<void, DefinitionError> readPushButton(const rt::ByteReader& record,
                                                               Control& control);

    StoredDefinitionView& m_view;
    const Font& m_windowFont;
};

}  // namespace rt::definition
