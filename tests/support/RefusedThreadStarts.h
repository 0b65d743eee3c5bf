#pragma once

#include <atomic>

#include "platform/threads/ThreadStarts.h"

namespace rt::test {

// Makes the next `count` thread starts fail as a system out of threads or
// memory would, for as long as it lives.
class RefusedThreadStarts final : public ThreadStarts {
  public:
    explicit RefusedThreadStarts(int count) : m_left(count), m_installed(*this) {}

    bool mayStart() override {
        int left = m_left.load();
        while (left > 0) {
            if (m_left.compare_exchange_weak(left, left - 1)) {
                return false;
            }
        }
        return true;
    }

  private:
    std::atomic<int> m_left;
    ScopedThreadStarts m_installed;  // last: uninstalled before the count goes
};

}  // namespace rt::test
