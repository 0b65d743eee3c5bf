#pragma once

#include <cstdint>
#include <string>
#include <system_error>
#include <utility>

#include "platform/base/Result.h"

namespace rt::version {

using rt::Result;

// Why a file yields no version information. The kind is for code; the reason
// is a sentence for people, which the dump tool prints as it stands.
enum class Failure {
    OpenFailed,         // missing, unreadable, or not a regular file
    ReadFailed,         // the file system reported an error while reading
    NotExecutable,      // no MZ header: not an executable at all
    Unsupported,        // an executable of a kind that carries no version resource we read
    Truncated,          // a structure runs past the end of the file or of its container
    Malformed,          // a field holds an impossible value
    NoVersionResource,  // a well-formed executable without version information
};

struct Error {
    Failure failure;
    std::string reason;
    std::error_code cause;  // the system's own error, where one stopped the read
};

inline Error fail(Failure failure, std::string reason, std::error_code cause = {}) {
    return Error{failure, std::move(reason), cause};
}

// "0x1A2B": offsets and field values in reasons are printed the way a hex dump shows them.
inline std::string hex(std::uint64_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string digits;
    do {
        digits.insert(digits.begin(), kDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    return "0x" + digits;
}

}  // namespace rt::version
