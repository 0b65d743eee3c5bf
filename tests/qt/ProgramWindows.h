#pragma once

#include "platform/definition/WindowDescription.h"

namespace keldwick::testing {

// The program's two windows as the window layer receives them: the frame
// with its menus and zones, and the status window with its ten controls.
definition::WindowDescription frameWindow();
definition::WindowDescription statusWindow();

// Lets the runtime prepare the program's windows from the descriptions above.
void installProgramWindows();

}  // namespace keldwick::testing
