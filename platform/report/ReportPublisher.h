#pragma once

#include <string_view>
#include <system_error>

#include "WholeFilePublisher.h"
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
// it, a writable file already there is rewritten where it stands, and never
// shows a reader an empty or mixed text. Where neither succeeds, the old file
// is removed, so that it cannot pass for the new. A text once in place is
// never removed: a flush that fails after it is told in the answer. An empty
// text removes the file. Every way a report reaches its file starts here.
rt::Result<Published, PublishError> publishReport(const char* path, std::string_view text, InPlace inPlace);

}  // namespace rt
