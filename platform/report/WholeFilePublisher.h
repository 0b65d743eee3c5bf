#pragma once

#include <string_view>
#include <system_error>

#include "platform/base/Result.h"

namespace rt {

// A text that reached its file. `notFlushed` says why the file or its folder
// could not be flushed to disk afterwards: the new text is in place for every
// reader, but a power loss may yet take it back.
struct Published {
    std::error_code notFlushed;
};

// Replaces the file at `path` with `bytes` so that no reader, and no crash at
// any point, ever sees a torn file: the bytes go to a new temporary file in the
// same folder, which is flushed to disk and then put in the target's place,
// and the folder is flushed so that the rename itself survives a power loss. A
// link at the path is replaced, never written through. Temporary files that
// killed writers left beside the path are swept away first.
//
// A failure before the rename leaves the old whole file. Once renamed, the
// text is published: a folder flush that fails after it is told in the
// answer, and undoes nothing. Where the system has no one-step replace (the
// 95 family), a failure between its two steps leaves no file. No temporary
// file stays behind unless even its removal fails.
rt::Result<Published, std::error_code> publishWholeFile(const char* path, std::string_view bytes);

}  // namespace rt
