#include "Watchdog.h"

#include <cstdio>
#include <cstdlib>

namespace rt::test {

Watchdog::Watchdog(std::chrono::seconds limit, std::string what)
    : m_thread(
          [this, limit, what = std::move(what)] {
              if (!m_finished.waitFor(limit)) {
                  std::fprintf(stderr, "watchdog: %s still running after %lld s\n", what.c_str(),
                               static_cast<long long>(limit.count()));
                  std::_Exit(3);
              }
          },
          0) {}

Watchdog::~Watchdog() {
    m_finished.set();
    m_thread.join();
}

}  // namespace rt::test
