#include "MenuCommands.h"

namespace rt::win32 {

unsigned MenuCommands::add(const definition::MenuEntry& item) {
    if (kFirstMenuCommand + m_entries.size() >= kAboutCommand) {
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

ClipboardMessage clipboardMessageFor(StandardAction action, FocusedText focused) {
    if (focused == FocusedText::None) {
        return ClipboardMessage::None;
    }
    const bool readOnly = focused == FocusedText::ReadOnly;
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

}  // namespace rt::win32
