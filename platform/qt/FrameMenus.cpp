#include "FrameMenus.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>
#include <array>
#include <utility>

#include "Latin1Text.h"
#include "StandardActions.h"
#include "platform/window/StandardShortcut.h"

namespace rt::qt {

namespace {

constexpr std::array<std::pair<StandardAction, QKeySequence::StandardKey>, 4> kShortcuts{{
    {StandardAction::Cut, QKeySequence::Cut},
    {StandardAction::Copy, QKeySequence::Copy},
    {StandardAction::Paste, QKeySequence::Paste},
    {StandardAction::Exit, QKeySequence::Quit},
}};

QKeySequence keyOf(const rt::Shortcut& shortcut) {
    const int key =
        shortcut.letter != 0 ? Qt::Key_A + (shortcut.letter - 'A') : Qt::Key_F1 + shortcut.functionKey - 1;
    return QKeySequence(shortcut.control ? QKeyCombination(Qt::ControlModifier, Qt::Key(key))
                                         : QKeyCombination(Qt::Key(key)));
}

// The desktop's own keys first; where its conventions bind none (Quit under
// Windows conventions), the program's usual key, which its help names.
void setShortcut(QAction& action, int code) {
    for (const auto& [standard, key] : kShortcuts) {
        if (static_cast<int>(standard) == code) {
            action.setShortcuts(key);
        }
    }
    const auto usual = rt::standardShortcut(static_cast<StandardAction>(code));
    if (usual && action.shortcuts().isEmpty()) {
        action.setShortcut(keyOf(*usual));
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

// Esc in a drop-down menu closes it and leaves Qt's menu bar holding the
// keyboard, with no entry highlighted and Tab going nowhere until a second
// Esc. The menus are left at once instead, the keyboard back where it was.
// Where that was is kept here too: the bar forgets it if it loses the
// keyboard for a moment, as when the closed menu's activation arrives late.
class LeaveMenusOnEscape final : public QObject {
  public:
    explicit LeaveMenusOnEscape(QMainWindow& frame) : QObject(&frame), m_frame(frame) {
        QObject::connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
            if (now == m_frame.menuBar() && old != nullptr && old->window() == &m_frame) {
                m_keyboardWasOn = old;
            }
        });
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
            static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
            QTimer::singleShot(0, this, [this] { leaveMenuBar(); });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    void leaveMenuBar() {
        QMenuBar* bar = m_frame.menuBar();
        if (QApplication::activePopupWidget() != nullptr || !bar->hasFocus()) {
            return;
        }
        QKeyEvent leave(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(bar, &leave);
        if (bar->hasFocus() && m_keyboardWasOn != nullptr && m_keyboardWasOn->isVisible()) {
            m_keyboardWasOn->setFocus(Qt::MenuBarFocusReason);
        }
    }

    QMainWindow& m_frame;
    QPointer<QWidget> m_keyboardWasOn;
};

}  // namespace

FrameMenus::Built FrameMenus::build(QMainWindow& frame, const std::vector<definition::MenuEntry>& menus,
                                    const Chosen& chosen) {
    Built built;
    QMenu* helpHolder = nullptr;
    auto* escape = new LeaveMenusOnEscape(frame);
    for (const auto& entry : menus) {
        QMenu* menu = frame.menuBar()->addMenu(latin1Text(entry.text));
        menu->installEventFilter(escape);
        menu->menuAction()->setStatusTip(latin1Text(entry.message));
        menu->menuAction()->setData(entry.id);
        clearMessageWhenMenusClose(frame, *menu);
        if (entry.actionCode == static_cast<int>(StandardAction::WindowMenu) && built.windowMenu == nullptr) {
            built.windowMenu = menu;
        }
        addItems(frame, *menu, entry, chosen, built);
        const bool holdsHelp = std::any_of(entry.items.begin(), entry.items.end(), [](const auto& item) {
            return item.actionCode == static_cast<int>(StandardAction::HelpContents);
        });
        if (holdsHelp && helpHolder == nullptr) {
            helpHolder = menu;
        }
        built.helpMenu = menu;
    }
    if (helpHolder != nullptr) {
        built.helpMenu = helpHolder;
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
            QMenu* submenu = menu.addMenu(latin1Text(item.text));
            submenu->menuAction()->setStatusTip(latin1Text(item.message));
            clearMessageWhenMenusClose(frame, *submenu);
            addItems(frame, *submenu, item, chosen, built);
            continue;
        }
        QAction* action = menu.addAction(latin1Text(item.text));
        action->setStatusTip(latin1Text(item.message));
        action->setData(item.id);
        setShortcut(*action, item.actionCode);
        if (item.actionCode != 0) {
            built.standardItems.emplace_back(static_cast<StandardAction>(item.actionCode), action);
        }
        QObject::connect(action, &QAction::triggered, &frame, [item, chosen] { chosen(item); });
    }
}

}  // namespace rt::qt
