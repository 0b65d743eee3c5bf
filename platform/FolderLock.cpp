#include "FolderLock.h"

#include <algorithm>
#include <random>
#include <thread>
#include <utility>

namespace rt {

namespace {

// Waits grow quadratically from 1 ms and are capped low: a check holds the
// lock for a few milliseconds, so a long sleep would only waste time.
std::chrono::microseconds backoff(int attempt) {
    constexpr std::int64_t kCapMicroseconds = 50'000;
    thread_local std::minstd_rand engine{std::random_device{}()};
    const std::int64_t base = std::min<std::int64_t>(1000LL * attempt * attempt, kCapMicroseconds);
    std::uniform_int_distribution<std::int64_t> jitter(base * 3 / 4, base * 5 / 4);
    return std::chrono::microseconds(jitter(engine));
}

}  // namespace

FolderLock::FolderLock(const std::string& folder, std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (int attempt = 1;; ++attempt) {
        const auto error = fileSystem().tryLockFolder(folder.c_str(), m_lock);
        if (!error || error != std::errc::resource_unavailable_try_again) {
            return;
        }
        m_lock = kNoFile;
        const auto pause = backoff(attempt);
        if (std::chrono::steady_clock::now() + pause > deadline) {
            return;
        }
        std::this_thread::sleep_for(pause);
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
