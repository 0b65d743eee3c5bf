#include "Entropy.h"

#include <atomic>

namespace rt {

namespace {

// splitmix64: every step of a plain counter comes out well mixed, so threads
// that take neighbouring counts still get unrelated numbers.
std::uint64_t mixed(std::uint64_t value) {
    value += 0x9E3779B97F4A7C15ull;
    value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ull;
    value = (value ^ (value >> 27)) * 0x94D049BB133111EBull;
    return value ^ (value >> 31);
}

// 32 bits: the counter must be lock-free on an i486, which has no 8-byte
// compare-exchange, and no process draws four thousand million numbers.
std::atomic<std::uint32_t> g_count{0};
static_assert(std::atomic<std::uint32_t>::is_always_lock_free);

}  // namespace

std::uint64_t nextEntropy() {
    static const std::uint64_t start = mixed(detail::entropyStart());
    return mixed(start + g_count.fetch_add(1, std::memory_order_relaxed));
}

}  // namespace rt
