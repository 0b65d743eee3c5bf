#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/definition/WindowDescription.h"
#include "platform/window/ActionAvailability.h"
#include "platform/window/StandardAction.h"

namespace rt::win32 {

// WM_COMMAND carries 16 bits, and definition ids are negative (or 0 for
// entries the program never names), so each menu item gets a private command
// number from kFirstMenuCommand on, in the order it was added. Above them
// come the presenter's own: its About entry and the help key (F1). The MDI
// window list numbers its entries from kFirstChildCommand, which none reaches.
inline constexpr unsigned kFirstMenuCommand = 0x8000;
inline constexpr unsigned kAboutCommand = 0xFE00;
inline constexpr unsigned kHelpKeyCommand = 0xFE01;
inline constexpr unsigned kFirstChildCommand = 0xFF00;

class MenuCommands {
  public:
    struct Entry {
        std::int32_t id = 0;
        StandardAction action = StandardAction::None;
        std::string message;
    };

    // The command number for an item; 0 when the range is used up.
    unsigned add(const definition::MenuEntry& item);
    // Null for numbers that are not ours (the window list, the system menu).
    const Entry* find(unsigned command) const;

  private:
    std::vector<Entry> m_entries;
};

enum class ClipboardMessage { None, Cut, Copy, Paste };

// Which message a clipboard action sends to the focused control. Only edit
// controls take part; a read-only one (a value display) gives its text away
// but never changes: cut copies, paste does nothing.
ClipboardMessage clipboardMessageFor(StandardAction action, FocusedText focused);

}  // namespace rt::win32
