#pragma once

#include <optional>
#include <string>

#include "StandardAction.h"

namespace rt {

// The key a standard action answers to wherever its menu entry is, the same
// on every desktop: the usual clipboard keys and Ctrl+Q to end the program.
// Entries the program handles itself have none. F1 is no entry's: it opens
// the help page of the active window (kHelpKey), the contents where none is.
struct Shortcut {
    bool control = false;
    char letter = 0;      // 'A'..'Z', or 0 for a function key
    int functionKey = 0;  // 1..12 when letter is 0
    friend bool operator==(const Shortcut&, const Shortcut&) = default;
};

[[nodiscard]] inline std::optional<Shortcut> standardShortcut(StandardAction action) {
    switch (action) {
        case StandardAction::Cut:
            return Shortcut{true, 'X', 0};
        case StandardAction::Copy:
            return Shortcut{true, 'C', 0};
        case StandardAction::Paste:
            return Shortcut{true, 'V', 0};
        case StandardAction::Exit:
            return Shortcut{true, 'Q', 0};
        default:
            return std::nullopt;
    }
}

inline constexpr Shortcut kHelpKey{false, 0, 1};

// As menus show it beside the entry: "Ctrl+X", "F1".
[[nodiscard]] inline std::string shortcutText(const Shortcut& shortcut) {
    std::string text = shortcut.control ? "Ctrl+" : "";
    if (shortcut.letter != 0) {
        return text + shortcut.letter;
    }
    return text + "F" + std::to_string(shortcut.functionKey);
}

}  // namespace rt
