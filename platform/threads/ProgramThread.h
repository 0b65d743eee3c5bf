#pragma once

#include <functional>

namespace rt {

// Runs the program's body, and answers its status, where the body can do all
// its work: on a stack of at least NativeThread::kMinimumStackBytes, and on
// POSIX with SIGPIPE ignored, so that a closed standard error or output fails
// a write instead of ending the run. On Linux the first thread's stack is
// only as large as RLIMIT_STACK lets it grow; below the floor, the body runs
// on a thread of its own that has it. Where no such thread can be had, one
// line on standard error says so and the answer is 1.
int runProgramBody(const std::function<int()>& body);

}  // namespace rt
