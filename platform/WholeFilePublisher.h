#pragma once

#include <string_view>
#include <system_error>

namespace rt {

// Replaces the file at `path` with `bytes` so that no reader, and no crash at
// any point, ever sees a torn file: the bytes go to a new temporary file in the
// same folder, which is flushed to disk and then renamed over the target, and
// the folder is flushed so that the rename itself survives a power loss. A link
// at the path is replaced, never written through. On failure the old file is
// left as it was and the temporary file is removed.
[[nodiscard]] std::error_code publishWholeFile(const char* path, std::string_view bytes);

// Removes temporary files that a killed writer of `path` left behind. Only
// files older than a margin go, since a writer that could not take the folder
// lock may still be filling a fresh one.
void removeStaleTemporaries(const char* path);

}  // namespace rt
