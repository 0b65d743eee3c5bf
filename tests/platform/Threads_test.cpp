// The thread seam the window layer stands on: a lock, a signal, a thread.
// Only the seam itself is used here, so the same tests run in the Windows
// suite on the system's own primitives.
#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <vector>

#include "platform/threads/Lock.h"
#include "platform/threads/NativeThread.h"
#include "platform/threads/Signal.h"
#include "tests/support/RefusedThreadStarts.h"
#include "tests/support/Watchdog.h"

namespace rt {
namespace {

using namespace std::chrono_literals;

constexpr int kThreads = 4;
constexpr int kRounds = 20'000;

std::vector<std::unique_ptr<NativeThread>> startAll(int count, const std::function<void(int)>& body) {
    std::vector<std::unique_ptr<NativeThread>> threads;
    threads.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        threads.push_back(std::make_unique<NativeThread>([body, i] { body(i); }, 0));
    }
    return threads;
}

TEST(Lock, NoIncrementIsLostBetweenThreads) {
    rt::test::Watchdog watchdog;
    Lock lock;
    long counter = 0;  // deliberately plain: only the lock keeps it whole
    auto threads = startAll(kThreads, [&](int) {
        for (int i = 0; i < kRounds; ++i) {
            std::lock_guard held(lock);
            ++counter;
        }
    });
    threads.clear();
    EXPECT_EQ(counter, long{kThreads} * kRounds);
}

TEST(Signal, SetBeforeTheWaitIsKeptForIt) {
    rt::test::Watchdog watchdog;
    Signal signal;
    signal.set();
    signal.wait();
    SUCCEED();
}

TEST(Signal, SeveralSetsLetOneWaitThrough) {
    Signal signal;
    signal.set();
    signal.set();
    EXPECT_TRUE(signal.waitFor(0ms));
    EXPECT_FALSE(signal.waitFor(1ms)) << "the second set found the signal already set";
}

// Two threads hand a token back and forth; a lost wake-up would stop them
// both, and the watchdog would end the run.
TEST(Signal, NoWakeUpIsLostOverTwentyThousandHandOvers) {
    rt::test::Watchdog watchdog;
    Signal toOther;
    Signal toFirst;
    int handedBack = 0;
    NativeThread other(
        [&] {
            for (int i = 0; i < kRounds; ++i) {
                toOther.wait();
                toFirst.set();
            }
        },
        0);
    for (int i = 0; i < kRounds; ++i) {
        toOther.set();
        toFirst.wait();
        ++handedBack;
    }
    other.join();
    EXPECT_EQ(handedBack, kRounds);
}

// 160 KiB on a thread started with the default request (a thread sanitizer
// keeps its own state in most of the rest of the megabyte). The suite
// also runs this under a small stack limit (ulimit -s), which a default
// request once followed.
TEST(NativeThread, DefaultRequestHoldsADeepFrame) {
    bool ran = false;
    NativeThread thread(
        [&] {
            volatile char buffer[160 * 1024];
            buffer[0] = 1;
            buffer[sizeof buffer - 1] = buffer[0];
            ran = buffer[sizeof buffer - 1] == 1;
        },
        0);
    ASSERT_TRUE(thread.isStarted());
    thread.join();
    EXPECT_TRUE(ran);
}

TEST(NativeThread, RefusedStartNeverRunsTheBodyAndSaysWhy) {
    bool ran = false;
    {
        test::RefusedThreadStarts refused(1);
        NativeThread thread([&] { ran = true; }, 0);
        EXPECT_FALSE(thread.isStarted());
        EXPECT_TRUE(thread.startError());
    }
    EXPECT_FALSE(ran);
    NativeThread next([&] { ran = true; }, 0);
    ASSERT_TRUE(next.isStarted());
    EXPECT_FALSE(next.startError());
    next.join();
    EXPECT_TRUE(ran) << "a refusal counts once";
}

}  // namespace
}  // namespace rt
