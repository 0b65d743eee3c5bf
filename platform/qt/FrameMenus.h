#pragma once

#include <QMainWindow>
#include <QMenu>
#include <functional>
#include <utility>
#include <vector>

#include "platform/definition/WindowDescription.h"
#include "platform/window/StandardAction.h"

namespace rt::qt {

// Builds the frame's menu bar from the definition's menu tree: "&" access
// keys, each entry's message as its status tip, separators, the usual
// shortcuts for the standard actions. A chosen entry goes to `chosen`.
class FrameMenus {
  public:
    using Chosen = std::function<void(const definition::MenuEntry& entry)>;

    struct Built {
        QMenu* windowMenu = nullptr;  // the menu marked as the window menu, if there is one
        QMenu* helpMenu = nullptr;    // the menu that holds the help's contents, else the last one
        std::vector<std::pair<StandardAction, QAction*>> standardItems;
    };

    static Built build(QMainWindow& frame, const std::vector<definition::MenuEntry>& menus,
                       const Chosen& chosen);

  private:
    static void addItems(QMainWindow& frame, QMenu& menu, const definition::MenuEntry& parent,
                         const Chosen& chosen, Built& built);
};

}  // namespace rt::qt
