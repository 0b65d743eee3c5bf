#pragma once

#include <new>
#include <string_view>
#include <utility>

#include "ProgramEnd.h"

namespace rt {

// Every place where foreign code calls ours runs its body through here: main,
// a thread's start, a window procedure the system calls, a toolkit's slot.
// Nothing thrown may unwind through frames that are not ours (the system's
// message dispatch, the C runtime's thread start, a toolkit's event loop):
// they were not built to be unwound, and a half-unwound program may hang
// instead of ending. What the body returns is passed back. An error that
// reaches the guard ends the program at once with `endMessage` on standard
// error, a failed allocation with "out of memory".
template <typename Body>
auto guardEntry(std::string_view endMessage, Body&& body) noexcept -> decltype(body()) {
    try {
        return std::forward<Body>(body)();
    } catch (const std::bad_alloc&) {
        endProgramOutOfMemory();
    } catch (...) {
        endProgramNow(endMessage);
    }
}

// The same for an entry that can end in order by itself (a window
// procedure's thread closes its window and tells the thread that started it):
// false when the body ended by an error, which the caller then handles. A
// failed allocation still ends the program: handling it would need memory too.
template <typename Body>
[[nodiscard]] bool returnsNormally(Body&& body) noexcept {
    try {
        std::forward<Body>(body)();
        return true;
    } catch (const std::bad_alloc&) {
        endProgramOutOfMemory();
    } catch (...) {
        return false;
    }
}

}  // namespace rt
