#pragma once

#include <cstdint>
#include <vector>

#include "platform/definition/DefinitionResult.h"
#include "platform/definition/StoredDefinitionView.h"

namespace definition {

// Reads a window's controls along their chain, in chain order. Fonts a
// control does not give come from the window's font, so every control leaves
// here with the font it is drawn in.
class ControlChain {
  public:
    ControlChain(StoredDefinitionView& view, const Font& windowFont)
        : m_view(view), m_windowFont(windowFont) {}

    [[nodiscard]] DefinitionResult<std::vector<Control>> read(std::int32_t first);

  private:
    using Failure = std::optional<DefinitionError>;

    [[nodiscard]] DefinitionResult<PieceKind> controlPiece(std::int32_t offset);
    [[nodiscard]] Failure readStaticText(const keldwick::ByteReader& record, Control& control);
    [[nodiscard]] Failure readValueDisplay(const keldwick::ByteReader& record, Control& control);
    [[nodiscard]] Failure readPushButton(const keldwick::ByteReader& record, Control& control);

    StoredDefinitionView& m_view;
    const Font& m_windowFont;
};

}  // namespace definition
