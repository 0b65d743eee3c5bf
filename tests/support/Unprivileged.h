#pragma once

#include <functional>
#include <optional>

namespace rt::test {

// Runs `body` in a forked child that has dropped to the unprivileged user
// 65534 (as root does not meet permission checks). The answer is the body's
// verdict, or nothing when privileges could not be dropped, so that the
// caller can skip visibly. Call it before the test starts any thread.
std::optional<bool> runUnprivileged(const std::function<bool()>& body);

}  // namespace rt::test
