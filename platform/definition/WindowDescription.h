#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// What a walk of a stored window definition hands the window layer: plain
// values that own their data, with no tie left to the stored bytes.
namespace rt::definition {

// A position or size field that holds this value was left to the window layer.
inline constexpr std::int32_t kNotGiven = INT32_MIN;

// A colour as stored: -1 not given; top bit set: a Windows system colour whose
// index is in the low bits; otherwise an RGB value laid out as 0x00BBGGRR.
struct Colour {
    std::int32_t raw = -1;

    bool isGiven() const { return raw != -1; }
    bool isSystemColour() const { return isGiven() && raw < 0; }
    int systemIndex() const { return static_cast<int>(static_cast<std::uint32_t>(raw) & 0x7FFFFFFFu); }
    int red() const { return raw & 0xFF; }
    int green() const { return (raw >> 8) & 0xFF; }
    int blue() const { return (raw >> 16) & 0xFF; }
    friend bool operator==(const Colour&, const Colour&) = default;
};

struct Font {
    std::string face;       // empty: not given
    std::int32_t size = 0;  // 0: not given
    Colour textColour;
    friend bool operator==(const Font&, const Font&) = default;
};

enum class ControlKind : std::uint8_t { StaticText = 2, ValueDisplay = 8, PushButton = 9 };

// The one type of variable a value display shows: a text of a fixed number
// of characters, padded with blanks.
inline constexpr std::uint8_t kFixedTextType = 0x12;

struct VariableDescriptor {
    std::uint8_t typeCode = 0;  // kFixedTextType: `length` characters
    std::int32_t length = 0;
    friend bool operator==(const VariableDescriptor&, const VariableDescriptor&) = default;
};

struct Control {
    ControlKind kind = ControlKind::StaticText;
    std::int32_t id = 0;
    std::int32_t flags = 0;
    std::int32_t x = kNotGiven;
    std::int32_t y = kNotGiven;
    std::int32_t width = kNotGiven;
    std::int32_t height = kNotGiven;
    std::string text;  // static text and push button
    bool hasOwnFont = false;
    Font ownFont;                 // as stored, parts not given left unset; only with hasOwnFont
    Font font;                    // resolved: parts not given come from the window's font
    std::string picture;          // value display
    Colour background;            // value display
    VariableDescriptor variable;  // value display
    friend bool operator==(const Control&, const Control&) = default;
};

struct MenuEntry {
    std::int32_t id = 0;  // 0: none
    std::int32_t flags = 0;
    std::string text;              // "&" marks the access key; empty on a separator
    std::string message;           // one-line description for the status bar; empty: none
    std::int32_t actionCode = 0;   // standard action carried out by the window layer; 0: the program's own
    std::vector<MenuEntry> items;  // a menu's items; empty for an item

    static constexpr std::int32_t kSeparatorFlag = 0x10;
    bool isSeparator() const { return (flags & kSeparatorFlag) != 0; }
    friend bool operator==(const MenuEntry&, const MenuEntry&) = default;
};

struct WindowDescription {
    std::string moduleKey;
    std::string windowKey;
    std::string title;
    std::int32_t flags = 0;
    std::int32_t windowFlags = 0;
    std::int32_t x = kNotGiven;
    std::int32_t y = kNotGiven;
    std::int32_t width = kNotGiven;
    std::int32_t height = kNotGiven;
    bool hasFont = false;
    Font font;
    std::vector<std::int32_t> zoneWidths;  // left to right; -1: no fixed width
    std::vector<Control> controls;         // chain order
    bool hasMenuBar = false;
    std::vector<MenuEntry> menus;  // stored order
    friend bool operator==(const WindowDescription&, const WindowDescription&) = default;
};

// A control's own font overrides the window's only in the parts it gives.
inline Font resolveFont(const Font& own, const Font& window) {
    Font out = own;
    if (out.face.empty()) {
        out.face = window.face;
    }
    if (out.size == 0) {
        out.size = window.size;
    }
    if (!out.textColour.isGiven()) {
        out.textColour = window.textColour;
    }
    return out;
}

// The number of bound variables the window expects: one per value display.
inline std::size_t valueDisplayCount(const WindowDescription& window) {
    std::size_t count = 0;
    for (const auto& control : window.controls) {
        count += control.kind == ControlKind::ValueDisplay ? 1 : 0;
    }
    return count;
}

}  // namespace rt::definition
