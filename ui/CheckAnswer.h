#pragma once

#include <cstdint>
#include <string_view>

namespace keldwick {

// What a finished check answered, as far as whoever started the program can
// act on it: the recommendation, unless the report did not reach its file.
enum class CheckAnswer : std::uint8_t { None, Ok, Upgrade, Not95, Unknown, ReportNotWritten };

// The answer of the last check that finished, for the program's exit status.
// Written by the thread that ran the check (a status window's, or the first
// thread where none could be had) and read by the first thread once MAIN has
// returned, while a status window of the normal mode may still be checking:
// one atomic byte, stored with release and loaded with acquire order, so no
// lock is needed and a reader always finds one whole answer.
void rememberCheckAnswer(std::string_view recommendation, bool reportWritten);
CheckAnswer lastCheckAnswer();
// Before a run, while no thread but the first exists.
void forgetCheckAnswer();

}  // namespace keldwick
