#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace rt::definition {

enum class PieceKind : std::uint8_t {
    Text,
    Font,
    Zone,
    Window,
    MenuBar,
    Menu,
    MenuItem,
    StaticText,
    ValueDisplay,
    PushButton,
    Colours,
    Variable,
};

// One record, sub-record or text as the walk met it: where it lies (origin
// offset) and how many bytes it takes, a text's NUL included.
struct WalkedPiece {
    PieceKind kind = PieceKind::Text;
    std::int32_t offset = 0;
    std::int32_t size = 0;
    friend bool operator==(const WalkedPiece&, const WalkedPiece&) = default;
};

// The pieces in the order the walk met them. Tools use it to show the layout
// and to find bytes that nothing reaches.
using WalkTrace = std::vector<WalkedPiece>;

constexpr std::string_view pieceName(PieceKind kind) {
    switch (kind) {
        case PieceKind::Text:
            return "text";
        case PieceKind::Font:
            return "font";
        case PieceKind::Zone:
            return "zone";
        case PieceKind::Window:
            return "window";
        case PieceKind::MenuBar:
            return "menu bar";
        case PieceKind::Menu:
            return "menu";
        case PieceKind::MenuItem:
            return "menu item";
        case PieceKind::StaticText:
            return "static text";
        case PieceKind::ValueDisplay:
            return "value display";
        case PieceKind::PushButton:
            return "push button";
        case PieceKind::Colours:
            return "colours";
        case PieceKind::Variable:
            return "variable";
    }
    return "?";
}

}  // namespace rt::definition
