#include "platform/base/EntryGuard.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "platform/base/ProgramEnd.h"
#include "platform/threads/NativeThread.h"

namespace rt {
namespace {

// What a run that ended by an error leaves: the unfinished status and one line
// that says why, never an abort from an exception unwinding foreign frames.
TEST(EntryGuardDeathTest, AnErrorEndsTheProgramWithItsMessage) {
    EXPECT_EXIT(guardEntry("the check stopped", []() -> int { throw std::runtime_error("deep down"); }),
                testing::ExitedWithCode(kUnfinishedStatus), "^keldwick: the check stopped\n$");
}

TEST(EntryGuardDeathTest, AFailedAllocationSaysOutOfMemory) {
    EXPECT_EXIT(guardEntry("the check stopped", [] { throw std::bad_alloc(); }),
                testing::ExitedWithCode(kUnfinishedStatus), "^keldwick: out of memory\n$");
}

TEST(EntryGuardDeathTest, AThreadWhoseBodyThrowsEndsTheProgramInOrder) {
    EXPECT_EXIT(
        {
            NativeThread thread([] { throw std::runtime_error("in a thread"); }, 0);
            thread.join();
        },
        testing::ExitedWithCode(kUnfinishedStatus),
        "keldwick: a thread ended by an error that nothing caught");
}

TEST(EntryGuard, AnEntryThatEndsInOrderByItselfHearsOfTheErrorInstead) {
    EXPECT_FALSE(returnsNormally([] { throw std::logic_error("a procedure's fault"); }));
    bool ran = false;
    EXPECT_TRUE(returnsNormally([&] { ran = true; }));
    EXPECT_TRUE(ran);
}

TEST(EntryGuard, PassesTheBodysAnswerBack) {
    EXPECT_EQ(guardEntry("unused", [] { return 7; }), 7);
}

}  // namespace
}  // namespace rt
