#pragma once

#include <string_view>
#include <system_error>

#include "platform/base/Result.h"

namespace rt {

// Creates or replaces one entry of the report that this thread has open for
// `path` (a ProfileBatch): the entry joins the report's text in memory, and
// reaches the file with the rest of the report when the batch is published,
// so that no reader ever finds part of a check's report. Fails with
// `bad_file_descriptor`, as a write to a file that is not open would, when
// this thread has no report open for the path, and with `invalid_argument`
// for a name that could be read as another kind of line.
rt::Result<void, std::error_code> putProfileEntry(std::string_view section, std::string_view entry,
                                                  std::string_view value, const char* path);

}  // namespace rt
