#pragma once

#include "platform/window/EventCodes.h"

// The runtime's types, as the program's modules name them: what a module
// hands the runtime at start-up and a window procedure's window. Small on
// purpose: a module that only names these needs nothing of the window layer.
namespace rt {

using WindowId = int;

struct Module {
    const char* name;
    void (*initialise)(int reason);
};
inline constexpr int kModuleStarting = 0;
inline constexpr unsigned kInterfaceVersion = 0x102;
inline constexpr unsigned kInterfaceRevision = 3;

// A window as its procedure holds it: 0 until it is prepared, and again once freed.
struct Window {
    WindowId id = 0;
};

}  // namespace rt
