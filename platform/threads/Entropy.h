#pragma once

#include <cstdint>

namespace rt {

// Numbers that differ from call to call and from process to process, for
// temporary names and back-off jitter: they must not collide, and need not be
// secret (every temporary file is created exclusively, so a guessed name only
// costs another try). std::random_device is no source: on Windows 95 it rests
// on a service that exists there only as a stub. Safe from any thread.
std::uint64_t nextEntropy();

namespace detail {
// Where the sequence starts: the process id, the clocks and an address, mixed.
// One per platform.
std::uint64_t entropyStart();
}  // namespace detail

}  // namespace rt
