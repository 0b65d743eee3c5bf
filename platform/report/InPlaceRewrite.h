#pragma once

#include <string_view>
#include <system_error>

#include "WholeFilePublisher.h"
#include "platform/base/Result.h"

namespace rt {

// Rewrites the profile at `path` where it stands, for a folder that takes no
// new file: the profile writers of Windows always work this way. No moment
// shows a reader an empty or mixed report, not even one whose reading of
// the file spans several of the rewrite's steps, and a crash leaves the old
// report or the new one.
//
// The file holds two slots, each headed by the text's section line: the
// front one at the start and the back one behind it. Profile readers take the
// first section of a name, so the report is the first slot whose header is
// live; a retired header has the first letter of its name replaced by "~".
// A new text is written into the slot that is not read, under a retired
// header, and brought to life by one byte; the slot it replaces is retired by
// one byte after that, where it stands before the new one. A live slot behind
// the one read may hold the previous report until the next rewrite. A file
// not yet in that form (a report written whole) becomes the front slot.
//
// Only a regular file with no other name is rewritten: a second name would
// carry the new text to a file that is not the report. `cause` becomes the
// rewrite's own failure once the file was found fit for it.
rt::Result<Published, std::error_code> rewriteInPlace(const char* path, std::string_view text,
                                                      std::error_code& cause);

}  // namespace rt
