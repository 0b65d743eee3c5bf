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

void setShortcut(QAction& action, int code) {
    for (const auto& [standard, key] : kShortcuts) {
        if (static_cast<int>(standard) == code) {
            action.setShortcuts(key);
        }
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

QMenu* FrameMenus::build(QMainWindow& frame, const std::vector<definition::MenuEntry>& menus,
                         const Chosen& chosen) {
    QMenu* windowMenu = nullptr;
    for (const auto& entry : menus) {
        QMenu* menu = frame.menuBar()->addMenu(text(entry.text));
        menu->menuAction()->setStatusTip(text(entry.message));
        menu->menuAction()->setData(entry.id);
        clearMessageWhenMenusClose(frame, *menu);
        if (entry.actionCode == static_cast<int>(StandardAction::WindowMenu) && windowMenu == nullptr) {
            windowMenu = menu;
        }
        addItems(frame, *menu, entry, chosen);
    }
    return windowMenu;
}

void FrameMenus::addItems(QMainWindow& frame, QMenu& menu, const definition::MenuEntry& parent,
                          const Chosen& chosen) {
    for (const auto& item : parent.items) {
        if (item.isSeparator()) {
            menu.addSeparator();
            continue;
        }
        if (!item.items.empty()) {
            QMenu* submenu = menu.addMenu(text(item.text));
            submenu->menuAction()->setStatusTip(text(item.message));
            clearMessageWhenMenusClose(frame, *submenu);
            addItems(frame, *submenu, item, chosen);
            continue;
        }
        QAction* action = menu.addAction(text(item.text));
        action->setStatusTip(text(item.message));
        action->setData(item.id);
        setShortcut(*action, item.actionCode);
        QObject::connect(action, &QAction::triggered, &frame, [item, chosen] { chosen(item); });
    }
}

}  // namespace rt::desktop
