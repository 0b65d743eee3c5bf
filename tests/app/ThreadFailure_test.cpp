// Status windows that never get going: no thread for them, or a procedure
// that ends by an error. No run waits for them; hidden runs still write the
// report, normal runs say what failed and keep the frame usable.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <stdexcept>

#include "ProgramFixture.h"
#include "platform/threads/NativeThread.h"
#include "tests/support/RefusedThreadStarts.h"

namespace keldwick::test {
namespace {

constexpr std::string_view kReport = "[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=4.00.1116\r\n";

class ThreadFailure : public ProgramFixture {
  protected:
    // The first driver read throws, as a procedure hit by an unexpected error would.
    void failFirstCheck() {
        services.setVersionSource([this]() -> std::string {
            if (!m_failed.exchange(true)) {
                throw std::runtime_error("injected");
            }
            return "4.00.1116";
        });
    }

    // The person opens another status window and waits for its results, as
    // one would after being told the first did not open; `shownBefore` status
    // windows appeared before it.
    void frameStillWorks(std::size_t shownBefore) {
        presenter->choose(frameId(), kGetVersionEntry);
        m_shownAfter = statusWindowWithResults(shownBefore).texts.at(kRecommendDisplay);
        presenter->choose(frameId(), kExitEntry);
    }

    std::atomic<bool> m_failed{false};
    std::string m_shownAfter;
};

TEST_F(ThreadFailure, HiddenRunWithoutAThreadChecksOnTheFirstThread) {
    rt::test::RefusedThreadStarts refused(1000);
    EXPECT_EQ(runProgram({"HIDE"}), 0);
    EXPECT_EQ(reportText(), kReport);
}

TEST_F(ThreadFailure, HiddenRunCheckedOnTheFirstThreadEndsWithItsAnswer) {
    rt::test::RefusedThreadStarts refused(1000);
    services.setVersion((m_root / "system" / "VREDIR.VXD").string(), "4.00.1115");
    EXPECT_EQ(runProgram({"HIDE", "/STATUS"}), 2);
}

TEST_F(ThreadFailure, HiddenRunWhoseStatusWindowFailsChecksAgainOnTheFirstThread) {
    failFirstCheck();
    EXPECT_EQ(runProgram({"HIDE"}), 0);
    EXPECT_EQ(reportText(), kReport);
}

TEST_F(ThreadFailure, NormalRunWithoutAThreadSaysSoAndTheFrameStaysUsable) {
    rt::test::RefusedThreadStarts refused(1);
    const int status = runProgram({}, [&] { frameStillWorks(0); });
    EXPECT_EQ(status, 0);
    ASSERT_EQ(presenter->messages().size(), 1u);
    EXPECT_NE(presenter->messages()[0].find("could be opened"), std::string::npos)
        << presenter->messages()[0];
    EXPECT_EQ(m_shownAfter, "OK");
}

TEST_F(ThreadFailure, NormalRunWhoseStatusWindowFailsSaysSoAndTheFrameStaysUsable) {
    failFirstCheck();
    const int status = runProgram({}, [&] {
        // The failed window was shown, then closed with its thread.
        ASSERT_TRUE(presenter->waitFor([](const auto& windows) {
            return std::any_of(windows.begin(), windows.end(),
                               [](const auto& w) { return !w.isFrame && !w.isOpen; });
        }));
        frameStillWorks(1);
    });
    EXPECT_EQ(status, 0);
    ASSERT_EQ(presenter->messages().size(), 1u);
    EXPECT_NE(presenter->messages()[0].find("ended by an error"), std::string::npos)
        << presenter->messages()[0];
    EXPECT_EQ(m_shownAfter, "OK");
}

}  // namespace
}  // namespace keldwick::test
