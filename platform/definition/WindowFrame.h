#pragma once

#include <cstdint>

#include "platform/definition/WindowDescription.h"

namespace rt::definition {

// What a window record's window flags ask of the window's frame. The frame
// (0x1820) carries both bits below; the status window (0x3044) neither, so it
// keeps the size its controls were laid out for. Other bits select nothing.
inline constexpr std::int32_t kSizingBorderFlag = 0x0800;
inline constexpr std::int32_t kMaximizeBoxFlag = 0x0020;

struct WindowFrame {
    bool sizable = false;      // a sizing border; without it the border is fixed
    bool maximizable = false;  // a Maximize button, and the window may fill its parent
};

inline WindowFrame windowFrameOf(const WindowDescription& window) {
    return {(window.windowFlags & kSizingBorderFlag) != 0, (window.windowFlags & kMaximizeBoxFlag) != 0};
}

}  // namespace rt::definition
