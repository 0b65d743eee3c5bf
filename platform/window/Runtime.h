#pragma once

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/base/Result.h"
#include "platform/window/PrepareError.h"
#include "platform/window/RuntimeTypes.h"

// The runtime's window, thread and start-up services, as window procedures
// and the program's start-up call them. Each call works on the calling
// thread's own window.
namespace rt {

using BoundField = std::span<char>;

// Start-up and close-down.
void startUp(std::span<const Module> modules, int argc, const char* const* argv);
// Non-zero when a program built for `version` at `revision` can run on this runtime.
int checkVersion(unsigned version, unsigned revision, unsigned reserved);
void initModule();
// The usual initialisation routine of a module: initialises it when the program starts.
void initialiseModule(int reason);
void beginProgram();
void closeDown();
// The parameters of the command line, without the program's own path.
std::string commandText(std::string_view flags, int reserved);
int initialisedModules();

// Threads. The procedure runs on a new thread that owns its own window;
// otherwise the answer says why the system refused the thread. Should the
// procedure end by an error, the caller's window receives ThreadFailed.
rt::Result<void, std::error_code> startThread(std::function<void()> procedure, std::size_t stackBytes);

// Windows. Preparing binds the fields to the window's value displays in order.
rt::Result<void, PrepareError> prepareFrame(Window& window, std::string_view moduleKey,
                                            std::string_view windowKey);
rt::Result<void, PrepareError> prepareWindow(Window& window, std::string_view moduleKey,
                                             std::string_view windowKey,
                                             std::initializer_list<BoundField> fields);
void openWindow(Window& window);
void closeWindow(Window& window);
void freeWindow(Window& window);

void startEventLoop();
bool endEventLoop(int reserved = 0);
void endEventLoops(int reserved = 0);
int event();
int field();
int accepted();

void display(int control);
void select(int control);
void post(int code, int control, int thread);
void setProperty(int property, std::string_view value);
void beep(int frequency, int duration);
// Tells the person at the screen what went wrong, in one sentence.
void tellUser(std::string_view text);
// From any window's thread: the frame's status-bar zone `zone` (1 the
// leftmost) shows `text`, with `tip` for whoever points at it; empty texts
// clear it. Where nothing is shown, nothing happens.
void setStatusZone(int zone, std::string_view text, std::string_view tip);
// From any window's thread: what the frame's Help, About box says about the
// program. Where nothing is shown, nothing happens.
void setAboutText(std::string_view text);
int keyCode();
void setKeyCode(int code);

}  // namespace rt
