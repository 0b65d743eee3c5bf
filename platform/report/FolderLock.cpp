#include "FolderLock.h"

#include <algorithm>
#include <thread>

#include "platform/threads/Entropy.h"

namespace rt {

namespace {

// Waits grow quadratically from 1 ms and are capped low: a check holds the
// lock for a few milliseconds, so a long sleep would only waste time.
std::chrono::microseconds backoff(int attempt) {
    constexpr std::int64_t kCapMicroseconds = 50'000;
    const std::int64_t base = std::min<std::int64_t>(1000LL * attempt * attempt, kCapMicroseconds);
    const auto spread = static_cast<std::uint64_t>(base / 2 + 1);
    return std::chrono::microseconds(base * 3 / 4 + static_cast<std::int64_t>(nextEntropy() % spread));
}

}  // namespace

// The wait is bounded by the pauses taken rather than by a clock: on some
// systems the only clock is the wall clock, which can jump.
FolderLock::FolderLock(const std::string& folder, std::chrono::milliseconds wait) {
    std::chrono::microseconds waited{0};
    auto& files = fileSystem();
    for (int attempt = 1;; ++attempt) {
        auto locked = files.tryLockFolder(folder.c_str());
        if (locked) {
            m_lock = std::move(locked).value();
            m_failure.clear();
            return;
        }
        m_failure = locked.error();
        if (m_failure != std::errc::resource_unavailable_try_again) {
            return;
        }
        const auto pause = backoff(attempt);
        if (waited + pause > wait) {
            return;
        }
        std::this_thread::sleep_for(pause);
        waited += pause;
    }
}

}  // namespace rt
