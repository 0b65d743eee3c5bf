#pragma once

#include <string_view>

#include "platform/window/RuntimeTypes.h"

namespace keldwick {

// The status window's procedure: runs one check when its window opens and
// shows the three results until the person closes it (or, in hidden mode,
// closes itself and the frame). Runs on a thread of its own.
void GETREDIRINFO();

// What stands in for a status window that could not be had (no thread for it,
// its procedure ended by an error, its window could not be prepared): in
// hidden mode the check runs here, on the calling thread, and the frame is
// asked to close as the status window would have; otherwise the person is
// told `why`, and the frame stays as it was.
void withoutStatusWindow(std::string_view why);

extern const rt::Module kStatusWindowModule;

}  // namespace keldwick
