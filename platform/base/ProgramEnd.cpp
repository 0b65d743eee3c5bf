#include "ProgramEnd.h"

#include <cstdio>
#include <cstdlib>
#include <new>

namespace rt {

namespace {

// Writes without allocating: standard error is unbuffered, and the text is a
// fixed one apart from the reason, which the caller already holds.
void say(std::string_view reason) {
    std::fputs("keldwick: ", stderr);
    std::fwrite(reason.data(), 1, reason.size(), stderr);
    std::fputs("\n", stderr);
    std::fflush(stderr);
}

}  // namespace

void endProgramNow(std::string_view reason) {
    say(reason);
    std::_Exit(kUnfinishedStatus);
}

void endProgramOutOfMemory() {
    endProgramNow("out of memory");
}

void endProgramWhenMemoryRunsOut() {
    std::set_new_handler(&endProgramOutOfMemory);
}

}  // namespace rt
