// The queue between the threads that post and the one that owns a window,
// on the thread seam alone, so that the Windows suite runs it as well.
#include "platform/window/EventQueue.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/threads/NativeThread.h"
#include "tests/support/Watchdog.h"

namespace rt {
namespace {

constexpr int kPosters = 4;
constexpr int kEventsEach = 5'000;

// Every event arrives exactly once and each poster's events keep their order,
// however the pushes and the owner's waits interleave.
TEST(EventQueue, ManyPostersOneOwnerNothingLostNothingReordered) {
    rt::test::Watchdog watchdog;
    EventQueue queue;
    std::vector<std::unique_ptr<NativeThread>> posters;
    posters.reserve(kPosters);
    for (int p = 0; p < kPosters; ++p) {
        posters.push_back(std::make_unique<NativeThread>(
            [&queue, p] {
                for (int i = 0; i < kEventsEach; ++i) {
                    queue.push({p + 1, i});
                }
            },
            0));
    }
    std::vector<int> next(kPosters, 0);
    int received = 0;
    while (received < kPosters * kEventsEach) {
        const auto event = queue.waitPop();
        ASSERT_TRUE(event.has_value());
        auto& expected = next[static_cast<std::size_t>(event->code - 1)];
        ASSERT_EQ(event->control, expected) << "poster " << event->code;
        ++expected;
        ++received;
    }
    posters.clear();
    EXPECT_FALSE(queue.tryPop().has_value());
}

TEST(EventQueue, ClosingWakesTheOwnerAndDropsLaterPushes) {
    rt::test::Watchdog watchdog;
    EventQueue queue;
    NativeThread closer([&] { queue.close(); }, 0);
    EXPECT_FALSE(queue.waitPop().has_value());
    closer.join();
    EXPECT_FALSE(queue.push({1, 0}));
    EXPECT_FALSE(queue.tryPop().has_value());
}

}  // namespace
}  // namespace rt
