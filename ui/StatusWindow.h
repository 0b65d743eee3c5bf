#pragma once

#include "platform/window/Runtime.h"

namespace keldwick {

// The status window's procedure: runs one check when its window opens and
// shows the three results until the person closes it (or, in hidden mode,
// closes itself and the frame). Runs on a thread of its own.
void GETREDIRINFO();

extern const rt::Module kStatusWindowModule;

}  // namespace keldwick
