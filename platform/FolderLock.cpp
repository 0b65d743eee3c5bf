#include "FolderLock.h"

#include <algorithm>
#include <thread>
#include <utility>

#include "Entropy.h"

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
    for (int attempt = 1;; ++attempt) {
        const auto error = fileSystem().tryLockFolder(folder.c_str(), m_lock);
        if (!error || error != std::errc::resource_unavailable_try_again) {
            return;
        }
        m_lock = kNoFile;
        const auto pause = backoff(attempt);
        if (waited + pause > wait) {
            return;
        }
        std::this_thread::sleep_for(pause);
        waited += pause;
    }
}

FolderLock::~FolderLock() {
    release();
}

FolderLock::FolderLock(FolderLock&& other) noexcept : m_lock(std::exchange(other.m_lock, kNoFile)) {}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
    if (this != &other) {
        release();
        m_lock = std::exchange(other.m_lock, kNoFile);
    }
    return *this;
}

void FolderLock::release() {
    if (m_lock != kNoFile) {
        fileSystem().unlockFolder(std::exchange(m_lock, kNoFile));
    }
}

}  // namespace rt
