#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/definition/WindowDescription.h"
#include "platform/window/RuntimeTypes.h"

namespace rt {

// Everything a presenter needs to draw a window the moment it is first shown.
struct WindowView {
    WindowId id = 0;
    bool isFrame = false;
    std::shared_ptr<const definition::WindowDescription> description;
    std::map<int, std::string> texts;  // current text of every control, by id
    int focus = 0;                     // 0: none
};

// What a person does, as a presenter reports it. Each call only queues an
// event for the window's procedure; none of them waits for that procedure.
class UserActions {
  public:
    virtual ~UserActions() = default;
    virtual void pressed(WindowId window, int control) = 0;
    // A menu entry without a standard action (those are the presenter's own).
    virtual void chose(WindowId window, int entry) = 0;
    virtual void activated(WindowId window) = 0;
    virtual void closeRequested(WindowId window) = 0;
    virtual void inputRejected(WindowId window, int control) = 0;
    // The standard action "exit": the frame is asked to close.
    virtual void exitRequested() = 0;
};

// Draws the windows that are shown and turns a person's actions into events.
// Hidden windows never reach a presenter, so hidden mode needs none.
//
// One rule for requests (show, setText, focus, close, beep, tellUser,
// setZone, setAbout): they
// are asynchronous and ordered, and none runs inside its caller. A request
// made on any thread, the presenter's own included, only queues its work and
// returns; the presenter carries the work out later on its own thread, in the
// order the requests were made, whichever threads made them. So a window
// procedure never finds window code running within one of its calls, and a
// presenter never reaches back into the layer from inside the layer's own
// call. On the first thread queued work runs while it waits in waitForWork().
class Presenter {
  public:
    virtual ~Presenter() = default;

    // Before any request, on the first thread.
    virtual void attach(UserActions& actions) = 0;

    // Requests.
    virtual void show(const WindowView& view) = 0;
    virtual void setText(WindowId window, int control, const std::string& text) = 0;
    virtual void focus(WindowId window, int control) = 0;
    virtual void close(WindowId window) = 0;
    virtual void beep() = 0;
    // Says what went wrong (a window that could not be opened) without
    // stopping the windows that are there.
    virtual void tellUser(const std::string& text) = 0;
    // The frame's status-bar zone `zone` (1 the leftmost) shows `text`, and
    // `tip` when the pointer rests on it; empty texts clear it.
    virtual void setZone(int zone, const std::string& text, const std::string& tip) = 0;
    // What the frame's About box says about the program, beneath its title.
    virtual void setAbout(const std::string& text) = 0;

    // The first thread waits here for its window's next event, so that the
    // presenter's own events keep flowing; returns after wakeUp() (a call
    // made before the wait counts) or earlier.
    virtual void waitForWork() = 0;
    virtual void wakeUp() = 0;
    // Called on the first thread once every procedure thread has ended.
    virtual void shutdown() = 0;
};

}  // namespace rt
