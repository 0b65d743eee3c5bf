#include "FrameMenus.h"

#include <QApplication>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <array>
#include <utility>

#include "StandardActions.h"

namespace rt::desktop {

namespace {

constexpr std::array<std::pair<StandardAction, QKeySequence::StandardKey>, 5> kShortcuts{{
    {StandardAction::Cut, QKeySequence::Cut},
    {StandardAction::Copy, QKeySequence::Copy},
    {StandardAction::Paste, QKeySequence::Paste},
    {StandardAction::Exit, QKeySequence::Quit},
    {StandardAction::HelpContents, QKeySequence::HelpContents},
}};

QString text(const std::string& value) {
    return QString::fromLatin1(value.data(), static_cast<qsizetype>(value.size()));
}

// Desktops with Windows key conventions bind nothing to Quit; the program
// ends on Ctrl+Q everywhere, as its help says.
void setShortcut(QAction& action, int code) {
    for (const auto& [standard, key] : kShortcuts) {
        if (static_cast<int>(standard) == code) {
            action.setShortcuts(key);
        }
    }
    if (code == static_cast<int>(StandardAction::Exit) && action.shortcuts().isEmpty()) {
        action.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    }
}

// Qt leaves the last entry's message in the bar when the menus are left by
// keyboard, hiding the first zone; clear it once no menu is open any more.
void clearMessageWhenMenusClose(QMainWindow& frame, QMenu& menu) {
    QObject::connect(&menu, &QMenu::aboutToHide, &frame, [frame = &frame] {
        QTimer::singleShot(0, frame, [frame] {
            if (QApplication::activePopupWidget() == nullptr) {
                frame->statusBar()->clearMessage();
            }
        });
    });
}

}  // namespace

FrameMenus::Built FrameMenus::build(QMainWindow& frame, const std::vector<definition::MenuEntry>& menus,
                                    const Chosen& chosen) {
    Built built;
    for (const auto& entry : menus) {
        QMenu* menu = frame.menuBar()->addMenu(text(entry.text));
        menu->menuAction()->setStatusTip(text(entry.message));
        menu->menuAction()->setData(entry.id);
        clearMessageWhenMenusClose(frame, *menu);
        if (entry.actionCode == static_cast<int>(StandardAction::WindowMenu) && built.windowMenu == nullptr) {
            built.windowMenu = menu;
        }
        addItems(frame, *menu, entry, chosen, built);
    }
    return built;
}

void FrameMenus::addItems(QMainWindow& frame, QMenu& menu, const definition::MenuEntry& parent,
                          const Chosen& chosen, Built& built) {
    for (const auto& item : parent.items) {
        if (item.isSeparator()) {
            menu.addSeparator();
            continue;
        }
        if (!item.items.empty()) {
            QMenu* submenu = menu.addMenu(text(item.text));
            submenu->menuAction()->setStatusTip(text(item.message));
            clearMessageWhenMenusClose(frame, *submenu);
            addItems(frame, *submenu, item, chosen, built);
            continue;
        }
        QAction* action = menu.addAction(text(item.text));
        action->setStatusTip(text(item.message));
        action->setData(item.id);
        setShortcut(*action, item.actionCode);
        if (item.actionCode != 0) {
            built.standardItems.emplace_back(static_cast<StandardAction>(item.actionCode), action);
        }
        QObject::connect(action, &QAction::triggered, &frame, [item, chosen] { chosen(item); });
    }
}

}  // namespace rt::desktop
