#pragma once

#include <map>
#include <memory>
#include <span>
#include <string>

#include "EventQueue.h"
#include "Presenter.h"

namespace rt {

// The frame holds the other windows; a presenter draws it as the program's main window.
enum class WindowRole { Frame, Child };

// The layer's record of one window. The queue is shared with every thread
// that posts; the rest is fixed when the window is prepared (the constants)
// or belongs to the owning procedure's thread alone.
struct WindowState {
    WindowState(WindowId windowId, int owner, WindowRole windowRole,
                std::shared_ptr<const definition::WindowDescription> desc)
        : id(windowId), ownerThread(owner), role(windowRole), description(std::move(desc)) {}

    const WindowId id;
    const int ownerThread;
    const WindowRole role;
    const std::shared_ptr<const definition::WindowDescription> description;
    EventQueue queue;

    // Owner thread only.
    std::map<int, std::span<char>> bound;  // value display id -> the procedure's field
    std::map<int, std::string> texts;
    int focus = 0;
    bool isOpen = false;
    bool isHidden = false;
    bool isShown = false;
    bool isClosed = false;

    const definition::Control* control(int id) const;
    bool canTakeFocus(int id) const;
    WindowView view() const;
};

}  // namespace rt
