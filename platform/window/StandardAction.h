#pragma once

#include <cstdint>

namespace rt {

// Codes by which a menu entry asks for an action that the window layer
// carries out itself rather than the program.
enum class StandardAction : std::int32_t {
    None = 0,
    WindowMenu = 1,
    Tile = 2,
    Cascade = 3,
    ArrangeIcons = 4,
    HelpContents = 5,
    HelpOnHelp = 6,
    HelpSearch = 7,
    Cut = 10,
    Copy = 11,
    Paste = 12,
    Exit = 15,
    PrinterSetup = 16,
};

}  // namespace rt
