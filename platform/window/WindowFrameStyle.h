#pragma once

#include <cstdint>

// Inline, like LayoutUnits.h, so that every presenter reads a definition's
// window flags the same way without linking the window layer.
namespace rt {

// What a definition's window flags ask of the window's frame. A window whose
// flags ask for neither keeps its defined size: no sizing border, no maximise
// button. The program's frame asks for both (0x1820); its status window for
// neither (0x3044), since its controls sit at fixed places.
struct WindowFrameStyle {
    static constexpr std::int32_t kSizingBorder = 0x0020;
    static constexpr std::int32_t kMaximiseButton = 0x0800;

    bool sizingBorder = false;
    bool maximiseButton = false;

    static WindowFrameStyle of(std::int32_t windowFlags) {
        return {(windowFlags & kSizingBorder) != 0, (windowFlags & kMaximiseButton) != 0};
    }
};

}  // namespace rt
