#pragma once

#include <QTimer>
#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace keldwick::test {

// What a person at the screen does while the program runs, step by step. The
// program's frame procedure owns the test's thread (the GUI thread), so the
// steps run from a timer inside its waits: each step waits until its
// condition holds, then acts. A step that waits too long fails the test and
// asks the frame to close, so that a broken program ends instead of hanging.
class PersonScript {
  public:
    using Condition = std::function<bool()>;
    using Act = std::function<void()>;

    PersonScript& when(std::string what, Condition ready, Act act);
    PersonScript& then(std::string what, Act act);

    // Arms the timer; call just before running the program.
    void start();
    bool isFinished() const { return m_next == m_steps.size(); }

  private:
    void turn();
    void giveUp(const std::string& what);

    struct Step {
        std::string what;
        Condition ready;
        Act act;
    };

    static constexpr std::chrono::seconds kPatience{15};

    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    std::chrono::steady_clock::time_point m_waitingSince;
    bool m_gaveUp = false;
    QTimer m_timer;
};

}  // namespace keldwick::test
