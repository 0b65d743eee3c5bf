#pragma once

#include <string_view>
#include <system_error>

#include "platform/base/Result.h"

namespace rt {

// Replaces the file at `path` with `bytes` so that no reader, and no crash at
// any point, ever sees a torn file: the bytes go to a new temporary file in the
// same folder, which is flushed to disk and then put in the target's place,
// and the folder is flushed so that the rename itself survives a power loss. A
// link at the path is replaced, never written through. Temporary files that
// killed writers left beside the path are swept away first.
//
// After a failure the path holds the old whole file or the new whole one,
// never part of either: a failure before the rename leaves the old file, one
// after it (the folder flush) the new file. Where the system has no one-step
// replace (the 95 family), a failure between its two steps leaves no file.
// No temporary file stays behind unless even its removal fails.
rt::Result<void, std::error_code> publishWholeFile(const char* path, std::string_view bytes);

}  // namespace rt
