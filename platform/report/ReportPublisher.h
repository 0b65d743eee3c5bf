#pragma once

#include <string_view>
#include <system_error>

#include "platform/base/Result.h"

namespace rt {

// Whether a report that cannot be published through a new file may rewrite
// the old file where it stands. Only a writer that holds the folder's lock
// may: two writers rewriting one file in place could mix their texts.
enum class InPlace { Refused, Allowed };

struct PublishError {
    std::error_code cause;        // why the new text could not be published
    bool oldFileRemains = false;  // the file could not be removed either, and may hold the old text
};

// Puts a report's whole text in place of the file at `path`: through a new
// file and a rename (publishWholeFile). Where that fails and `inPlace` allows
// it, a writable file already there is rewritten where it stands. Where
// neither succeeds, the file is removed whichever whole text the failed
// publish left in it, so that the old one cannot pass for the new. An empty
// text removes the file. Every way a report reaches its file starts here.
rt::Result<void, PublishError> publishReport(const char* path, std::string_view text, InPlace inPlace);

}  // namespace rt
