#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "Handles.h"
#include "MenuCommands.h"
#include "platform/definition/WindowDescription.h"

namespace rt::win32 {

// The frame's menu bar, built from the definition's menu tree: "&" marks the
// access keys as in the definition, separators stay separators, every other
// item gets a private command number. It remembers the one-line message of
// every item and every drop-down menu for the status bar, and which menu is
// the window menu. Entries whose standard action has a shortcut show it after
// a tab, and one accelerator table carries those keys to the same command
// numbers. The bar belongs to the frame once attached; until then it is
// destroyed with this object. The table is always destroyed with it. The
// stored menus have no About entry: the presenter adds its own at the end of
// the menu that holds the help's contents (else the last one), and gives F1,
// which no entry carries, a command of its own.
class MenuBar {
  public:
    // `frameTitle` names the program in the About entry.
    MenuBar(const std::vector<definition::MenuEntry>& menus, const std::string& frameTitle);

    HMENU handle() const { return m_bar; }
    // Null when no entry has a shortcut.
    HACCEL accelerators() const { return m_accelerators.get(); }
    // Call once the frame owns the bar (it then destroys it with itself).
    void attached() { (void)m_unattachedBar.release(); }

    // The menu marked as the window menu; null when none is.
    HMENU windowMenu() const { return m_windowMenu; }
    const MenuCommands::Entry* command(unsigned number) const { return m_commands.find(number); }
    // The message of a drop-down menu, found by its handle: a maximized MDI
    // child puts its system menu in front of the bar, so positions shift.
    std::string popupMessage(HMENU popup) const;

  private:
    void addEntries(HMENU parent, const std::vector<definition::MenuEntry>& entries);

    MenuHandle m_unattachedBar;
    HMENU m_bar = nullptr;
    HMENU m_windowMenu = nullptr;
    HMENU m_helpMenu = nullptr;  // the first drop-down menu that holds the help's contents
    MenuCommands m_commands;
    std::vector<ACCEL> m_keys;
    AcceleratorTable m_accelerators;
    std::map<HMENU, std::string> m_popupMessages;
};

}  // namespace rt::win32
