#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <mutex>
#include <vector>

#include "platform/window/Runtime.h"
#include "platform/window/RuntimeSetup.h"
#include "tests/support/HeadlessPresenter.h"
#include "tests/support/Watchdog.h"

namespace rt::test {

// Small windows of the test's own: a child with a label (1), a value display
// bound to a 40-character field (2) and a button (3); and a frame with a
// program entry (-9), a standard action (tile, -10) and Exit (-3).
rt::definition::WindowDescription childDescription();
rt::definition::WindowDescription frameDescription();

// A started runtime whose presenter is headless; the test's thread is the
// first thread and acts as the person at the screen.
class LayerFixture : public ::testing::Test {
  protected:
    LayerFixture();
    ~LayerFixture() override;

    // Waits until no procedure thread runs any more.
    bool waitForThreads(std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // The id of the n-th window shown, once it is shown.
    WindowId shownWindow(std::size_t n);

    rt::test::Watchdog m_watchdog{std::chrono::seconds(60)};
    rt::test::HeadlessPresenter* presenter = nullptr;
};

// What a procedure saw, turn by turn.
struct Turn {
    int event;
    int field;
    int accepted;
};

class TurnLog {
  public:
    void add(Turn turn);
    std::vector<Turn> turns() const;
    std::vector<int> events() const;

  private:
    mutable std::mutex m_mutex;
    std::vector<Turn> m_turns;
};

// A child window procedure that logs every turn; `onTurn` may act on it.
void runLoggingChild(TurnLog& log, const std::function<void()>& onTurn = {});

}  // namespace rt::test
