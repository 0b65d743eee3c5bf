#pragma once

#include <string>

#include "platform/base/Result.h"

namespace keldwick::defc {

using rt::Result;

// What went wrong, for the person running the build, who fixes the
// description it names and runs the build again.
struct ToolMessage {
    std::string text;
};

}  // namespace keldwick::defc
