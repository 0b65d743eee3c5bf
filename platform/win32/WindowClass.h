#pragma once

#include <windows.h>

namespace rt::win32 {

// Registers a window class of the presenter once; registering it again (a
// second presenter in the same process) counts as success.
bool registerWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure, int backgroundColour);

}  // namespace rt::win32
