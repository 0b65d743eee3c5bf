#include "MenuCommands.h"

namespace rt::win32 {

unsigned MenuCommands::add(const definition::MenuEntry& item) {
    if (kFirstMenuCommand + m_entries.size() >= kFirstChildCommand) {
        return 0;
    }
    m_entries.push_back({item.id, static_cast<StandardAction>(item.actionCode), item.message});
    return kFirstMenuCommand + static_cast<unsigned>(m_entries.size() - 1);
}

const MenuCommands::Entry* MenuCommands::find(unsigned command) const {
    if (command < kFirstMenuCommand || command - kFirstMenuCommand >= m_entries.size()) {
        return nullptr;
    }
    return &m_entries[command - kFirstMenuCommand];
}

ClipboardMessage clipboardMessageFor(StandardAction action, FocusedControl focused) {
    if (focused != FocusedControl::Edit && focused != FocusedControl::ReadOnlyEdit) {
        return ClipboardMessage::None;
    }
    const bool readOnly = focused == FocusedControl::ReadOnlyEdit;
    switch (action) {
        case StandardAction::Cut:
            return readOnly ? ClipboardMessage::Copy : ClipboardMessage::Cut;
        case StandardAction::Copy:
            return ClipboardMessage::Copy;
        case StandardAction::Paste:
            return readOnly ? ClipboardMessage::None : ClipboardMessage::Paste;
        default:
            return ClipboardMessage::None;
    }
}

bool canCarryOut(StandardAction action, const MenuContext& context) {
    switch (action) {
        case StandardAction::Cut:
            return context.focused == FocusedControl::Edit;
        case StandardAction::Copy:
            return context.focused == FocusedControl::Edit ||
                   context.focused == FocusedControl::ReadOnlyEdit || context.activeWindowHasValues;
        case StandardAction::Paste:
            return context.focused == FocusedControl::Edit && context.clipboardHasText;
        case StandardAction::Tile:
        case StandardAction::Cascade:
            return context.openWindows > 0;
        case StandardAction::ArrangeIcons:
            return context.minimisedWindows > 0;
        default:
            return true;
    }
}

}  // namespace rt::win32
