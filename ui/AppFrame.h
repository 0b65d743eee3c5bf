#pragma once

#include "platform/base/Result.h"
#include "platform/window/PrepareError.h"
#include "platform/window/RuntimeTypes.h"

namespace keldwick {

// The application frame's procedure, on the first thread: opens the first
// status window as soon as the frame opens and another for each Test,
// GetVersion. Returns when the frame has closed; fails when it never opened.
rt::Result<void, rt::PrepareError> MAIN();

extern const rt::Module kAppFrameModule;

}  // namespace keldwick
