#pragma once

#include <span>

#include "platform/window/RuntimeTypes.h"

namespace keldwick {

// The program's modules, in the order the runtime initialises them.
std::span<const rt::Module> programModules();

// Decides the run mode from the command line and runs the frame; returns the
// exit status once the frame has closed.
int programBody();

}  // namespace keldwick
