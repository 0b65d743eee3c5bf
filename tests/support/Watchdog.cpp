#include "Watchdog.h"

#include <cstdio>
#include <cstdlib>

namespace testing_support {

Watchdog::Watchdog(std::chrono::seconds limit, std::string what)
    : m_thread([this, limit, what = std::move(what)] {
          std::unique_lock lock(m_mutex);
          if (!m_done.wait_for(lock, limit, [&] { return m_finished; })) {
              std::fprintf(stderr, "watchdog: %s still running after %lld s\n", what.c_str(),
                           static_cast<long long>(limit.count()));
              std::_Exit(3);
          }
      }) {}

Watchdog::~Watchdog() {
    {
        std::lock_guard lock(m_mutex);
        m_finished = true;
    }
    m_done.notify_all();
    m_thread.join();
}

}  // namespace testing_support
