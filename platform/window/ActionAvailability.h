#pragma once

#include <cstddef>

#include "platform/window/StandardAction.h"

// Inline, so that both presenters grey out the same menu entries by one rule
// without linking the window layer.
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
// out and its shortcut does nothing, as in the Edit and Window menus of any
// MDI program. Tile and Cascade need a window that is not minimised (the
// minimised ones are arranged as icons). Cut needs selected text that can
// change. Copy with no selection copies the active window's results, so it
// acts wherever a window is active. Paste needs text that can change; whether
// the clipboard holds text is not asked, since on X11 that is a round trip to
// the program that owns the clipboard at every move of the focus.
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
