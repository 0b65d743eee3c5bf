#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/definition/WindowDescription.h"
#include "platform/window/StandardAction.h"

namespace rt::win32 {

// WM_COMMAND carries 16 bits, and definition ids are negative (or 0 for
// entries the program never names), so each menu item gets a private command
// number from kFirstMenuCommand on, in the order it was added. The MDI window
// list numbers its entries from kFirstChildCommand, which no item reaches.
inline constexpr unsigned kFirstMenuCommand = 0x8000;
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

// What the focused control is, for the clipboard actions.
enum class FocusedControl { None, Edit, ReadOnlyEdit, Other };
enum class ClipboardMessage { None, Cut, Copy, Paste };

// Which message a clipboard action sends to the focused control. Only edit
// controls take part; a read-only one (a value display) gives its text away
// but never changes: cut copies, paste does nothing.
ClipboardMessage clipboardMessageFor(StandardAction action, FocusedControl focused);

// What the frame finds when one of its drop-down menus is about to open.
struct MenuContext {
    int openWindows = 0;  // the frame's own windows inside it
    int minimisedWindows = 0;
    FocusedControl focused = FocusedControl::None;
    bool activeWindowHasValues = false;  // Copy takes all of them when no value has the focus
    bool clipboardHasText = false;
};

// Whether an entry's standard action would do anything now; those that would
// not are greyed, which also keeps their shortcut keys from acting. Actions
// that always act (help, printer set-up, exit) and the program's own
// entries are never greyed.
bool canCarryOut(StandardAction action, const MenuContext& context);

}  // namespace rt::win32
