#pragma once

#include <windows.h>

namespace rt::win32 {

// What ends the program when the system's call of one of our windows'
// procedures meets an error: no exception may unwind through the system's
// message dispatch.
inline constexpr const char* kWindowEndedByError =
    "a window ended by an error; the check may not have finished";

// The program's icon in the program file's resources; a program without it
// (a test) shows the system's application icon instead.
inline constexpr WORD kProgramIconId = 1;

// Registers a window class of the presenter once, with the program's icon at
// both sizes; registering it again (a second presenter in the same process)
// counts as success.
bool registerWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure, int backgroundColour,
                         UINT classStyle = 0);

}  // namespace rt::win32
