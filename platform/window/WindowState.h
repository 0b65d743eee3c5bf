#pragma once

#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "EventQueue.h"
#include "Presenter.h"

namespace rt {

// The layer's record of one window. The queue is shared with every thread
// that posts; everything else belongs to the owning procedure's thread.
struct WindowState {
    WindowState(WindowId windowId, int owner, bool frame,
                std::shared_ptr<const definition::WindowDescription> desc)
        : id(windowId), ownerThread(owner), isFrame(frame), description(std::move(desc)) {}

    const WindowId id;
    const int ownerThread;
    const bool isFrame;
    const std::shared_ptr<const definition::WindowDescription> description;
    EventQueue queue;

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
