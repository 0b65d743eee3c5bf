#pragma once

#include <cstddef>
#include <string_view>
#include <system_error>

#include "platform/base/Result.h"

namespace rt {

// Profiles larger than this are not ours to edit: the put fails and leaves them alone.
inline constexpr std::size_t kMaxProfileBytes = std::size_t{1024} * 1024;

// Creates or replaces one entry of a profile file, creating the file when it
// is missing (its folder must exist). The whole new text is built in memory
// and published in one step (publishWholeFile), so readers see the old file
// or the new one. Only a regular file is read; a link at the path is treated
// as no file and replaced. Returns the first failure, after which the file is
// as publishWholeFile leaves it: the old whole text or the new one, never a
// part. While this thread has a ProfileBatch open for the path, the entry goes
// to the batch instead, and reaches the file when the batch is published.
rt::Result<void, std::error_code> putProfileEntry(std::string_view section, std::string_view entry,
                                                  std::string_view value, const char* path);

}  // namespace rt
