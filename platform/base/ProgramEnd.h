#pragma once

#include <string_view>

namespace rt {

// The exit status of a program that could not do its work: distinct from a
// check's 0, so that a caller can tell a run that never finished.
inline constexpr int kUnfinishedStatus = 1;

// Ends the process at once with one line on standard error, from any thread.
// For states the program cannot go on from (no memory left): no destructor
// runs and no other thread is waited for, so nothing can hang on the way out.
// The report is then as a crash leaves it: the old one gone, or the new one whole.
[[noreturn]] void endProgramNow(std::string_view reason);

// Ends the program because an allocation failed.
[[noreturn]] void endProgramOutOfMemory();

// Makes every failed allocation end the program with a message instead of
// throwing into code that may not expect it (a thread's body, a toolkit's slot).
void endProgramWhenMemoryRunsOut();

}  // namespace rt
