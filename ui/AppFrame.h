#pragma once

#include "platform/window/Runtime.h"

namespace keldwick {

// The application frame's procedure, on the first thread: opens the first
// status window as soon as the frame opens and another for each Test,
// GetVersion. Returns when the frame has closed; false when it never opened.
bool MAIN();

extern const rt::Module kAppFrameModule;

}  // namespace keldwick
