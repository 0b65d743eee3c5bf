#pragma once

#include <cstddef>

#include "platform/window/StandardAction.h"

// Inline, so that every presenter greys out the same menu entries without
// linking the window layer.
namespace rt {

// The text control that has the keyboard focus, as far as the clipboard cares.
enum class FocusedText { None, ReadOnly, Editable };

// What a presenter sees when it decides which standard actions can act.
struct ActionSituation {
    std::size_t openWindows = 0;  // child windows in the frame, minimised ones included
    std::size_t minimisedWindows = 0;
    bool windowActive = false;  // a child window is the active one
    FocusedText focusedText = FocusedText::None;
    bool textSelected = false;  // in the focused text control
};

// False for an action that would do nothing now: its menu entry is greyed
// out and its shortcut does nothing. Copy with no text control focused copies
// the active window's results, so it acts wherever a window is active; cut
// and paste act only on text that can change.
[[nodiscard]] inline bool canCarryOut(StandardAction action, const ActionSituation& situation) {
    switch (action) {
        case StandardAction::Tile:
        case StandardAction::Cascade:
            return situation.openWindows > situation.minimisedWindows;
        case StandardAction::ArrangeIcons:
            return situation.minimisedWindows > 0;
        case StandardAction::Cut:
            return situation.focusedText == FocusedText::Editable && situation.textSelected;
        case StandardAction::Copy:
            return situation.windowActive ||
                   (situation.focusedText != FocusedText::None && situation.textSelected);
        case StandardAction::Paste:
            return situation.focusedText == FocusedText::Editable;
        case StandardAction::None:
        case StandardAction::WindowMenu:
        case StandardAction::HelpContents:
        case StandardAction::HelpOnHelp:
        case StandardAction::HelpSearch:
        case StandardAction::Exit:
        case StandardAction::PrinterSetup:
            break;
    }
    return true;
}

}  // namespace rt
