#include "MenuBar.h"

#include <algorithm>

#include "platform/window/StandardShortcut.h"

namespace rt::win32 {

namespace {

ACCEL acceleratorFor(const Shortcut& shortcut, unsigned command) {
    ACCEL accel{};
    accel.fVirt = static_cast<BYTE>(FVIRTKEY | (shortcut.control ? FCONTROL : 0));
    // Letters' virtual-key codes are their capitals.
    accel.key = shortcut.letter != 0 ? static_cast<WORD>(shortcut.letter)
                                     : static_cast<WORD>(VK_F1 + shortcut.functionKey - 1);
    accel.cmd = static_cast<WORD>(command);
    return accel;
}

}  // namespace

MenuBar::MenuBar(const std::vector<definition::MenuEntry>& menus, const std::string& frameTitle)
    : m_unattachedBar(::CreateMenu()), m_bar(m_unattachedBar.get()) {
    if (m_bar != nullptr) {
        addEntries(m_bar, menus);
        const int count = ::GetMenuItemCount(m_bar);
        HMENU about = m_helpMenu != nullptr ? m_helpMenu : ::GetSubMenu(m_bar, count - 1);
        if (about != nullptr) {
            std::string text = "&About ";
            for (const char letter : frameTitle) {
                if (letter == '&') {
                    text += letter;
                }
                text += letter;
            }
            text += "...";
            ::AppendMenuA(about, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuA(about, MF_STRING, kAboutCommand, text.c_str());
        }
    }
    m_keys.push_back(acceleratorFor(kHelpKey, kHelpKeyCommand));
    m_accelerators.reset(::CreateAcceleratorTableA(m_keys.data(), static_cast<int>(m_keys.size())));
}

void MenuBar::addEntries(HMENU parent, const std::vector<definition::MenuEntry>& entries) {
    for (const auto& entry : entries) {
        if (entry.isSeparator()) {
            ::AppendMenuA(parent, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        // Every entry of the bar is a drop-down menu, even an empty one; below
        // the bar, an entry with items of its own opens a submenu.
        if (parent == m_bar || !entry.items.empty()) {
            MenuHandle owned(::CreatePopupMenu());
            HMENU popup = owned.get();
            if (popup == nullptr) {
                continue;
            }
            addEntries(popup, entry.items);
            if (m_helpMenu == nullptr &&
                std::any_of(entry.items.begin(), entry.items.end(), [](const definition::MenuEntry& item) {
                    return static_cast<StandardAction>(item.actionCode) == StandardAction::HelpContents;
                })) {
                m_helpMenu = popup;
            }
            // Once appended, the drop-down menu is destroyed with its parent.
            if (::AppendMenuA(parent, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup),
                              entry.text.c_str()) == 0) {
                continue;
            }
            (void)owned.release();
            m_popupMessages[popup] = entry.message;
            if (static_cast<StandardAction>(entry.actionCode) == StandardAction::WindowMenu &&
                m_windowMenu == nullptr) {
                m_windowMenu = popup;
            }
            continue;
        }
        const unsigned command = m_commands.add(entry);
        std::string text = entry.text;
        // A key is only offered where its entry can be chosen, so the two never disagree.
        if (const auto shortcut = standardShortcut(static_cast<StandardAction>(entry.actionCode));
            shortcut && command != 0) {
            text += '\t';
            text += shortcutText(*shortcut);
            m_keys.push_back(acceleratorFor(*shortcut, command));
        }
        ::AppendMenuA(parent, command != 0 ? MF_STRING : MF_STRING | MF_GRAYED, command, text.c_str());
    }
}

std::string MenuBar::popupMessage(HMENU popup) const {
    const auto found = m_popupMessages.find(popup);
    return found == m_popupMessages.end() ? std::string() : found->second;
}

}  // namespace rt::win32
