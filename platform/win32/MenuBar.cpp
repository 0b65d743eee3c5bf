#include "MenuBar.h"

namespace rt::win32 {

MenuBar::MenuBar(const std::vector<definition::MenuEntry>& menus) : m_bar(::CreateMenu()) {
    if (m_bar != nullptr) {
        addEntries(m_bar, menus);
    }
}

MenuBar::~MenuBar() {
    if (m_bar != nullptr && !m_attached) {
        ::DestroyMenu(m_bar);
    }
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
            HMENU popup = ::CreatePopupMenu();
            if (popup == nullptr) {
                continue;
            }
            addEntries(popup, entry.items);
            ::AppendMenuA(parent, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup),
                          entry.text.c_str());
            m_popupMessages[popup] = entry.message;
            if (static_cast<StandardAction>(entry.actionCode) == StandardAction::WindowMenu &&
                m_windowMenu == nullptr) {
                m_windowMenu = popup;
            }
            continue;
        }
        const unsigned command = m_commands.add(entry);
        ::AppendMenuA(parent, command != 0 ? MF_STRING : MF_STRING | MF_GRAYED, command, entry.text.c_str());
    }
}

std::string MenuBar::popupMessage(HMENU popup) const {
    const auto found = m_popupMessages.find(popup);
    return found == m_popupMessages.end() ? std::string() : found->second;
}

}  // namespace rt::win32
