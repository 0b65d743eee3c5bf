#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "LayerFixture.h"
#include "platform/base/TextField.h"
#include "platform/threads/NativeThread.h"
#include "platform/threads/Signal.h"
#include "tests/support/RefusedThreadStarts.h"

namespace rt::test {
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;

class WindowLayerTest : public LayerFixture {};

TEST_F(WindowLayerTest, WindowOpenedComesFirstThenAPersonsActions) {
    TurnLog log;
    ASSERT_TRUE(startThread([&] { runLoggingChild(log); }, 0));
    const auto id = shownWindow(0);
    presenter->activate(id);
    presenter->press(id, 3);
    presenter->rejectInput(id, 2);
    presenter->closeBySystem(id);
    ASSERT_TRUE(waitForThreads());
    EXPECT_THAT(log.events(), ElementsAre(WindowOpened, FocusGained, ControlAccepted, InputRejected));
    const auto turns = log.turns();
    EXPECT_EQ(turns[2].field, 3);
    EXPECT_EQ(turns[2].accepted, 3);
    EXPECT_EQ(turns[3].field, 2);
    EXPECT_EQ(turns[3].accepted, 0) << "only an accepted control is reported as accepted";
    EXPECT_TRUE(presenter->openWindows().empty()) << "a system close closes the window";
}

TEST_F(WindowLayerTest, ShownWindowCarriesItsTextsAndBoundValue) {
    TurnLog log;
    ASSERT_TRUE(startThread([&] { runLoggingChild(log, [] { display(0); }); }, 0));
    const auto id = shownWindow(0);
    ASSERT_TRUE(presenter->waitFor([](const auto& w) { return w[0].redraws.count(2) > 0; }));
    const auto window = presenter->windows().front();
    EXPECT_EQ(window.title, "Child");
    EXPECT_FALSE(window.isFrame);
    EXPECT_EQ(window.texts.at(1), "Label");
    EXPECT_EQ(window.texts.at(2), "shown text") << "trailing blanks of the field are not shown";
    EXPECT_EQ(window.texts.at(3), "OK");
    presenter->closeBySystem(id);
    ASSERT_TRUE(waitForThreads());
}

TEST_F(WindowLayerTest, HiddenWindowNeverReachesThePresenter) {
    std::atomic<int> turns{0};
    ASSERT_TRUE(startThread(
        [&] {
            rt::TextField<40> value;
            Window window;
            ASSERT_TRUE(prepareWindow(window, "TEST$CHILD", "CHILD$WINDOW", {value.chars()}));
            openWindow(window);
            setProperty(HiddenProperty, "1");
            startEventLoop();
            do {
                ++turns;
                if (event() == WindowOpened) {
                    display(0);
                    select(2);
                    post(CloseRequested, 0, OwnThread);
                }
            } while (!endEventLoop());
            closeWindow(window);
            endEventLoops();
            freeWindow(window);
        },
        0));
    ASSERT_TRUE(waitForThreads());
    EXPECT_EQ(turns, 1) << "WindowOpened still arrives, and the posted close ends the loop";
    EXPECT_TRUE(presenter->windows().empty());
}

TEST_F(WindowLayerTest, FocusStaysOffStaticText) {
    TurnLog log;
    ASSERT_TRUE(startThread(
        [&] {
            runLoggingChild(log, [] {
                if (event() == WindowOpened) {
                    select(3);
                    select(1);
                }
                if (event() == ControlAccepted) {
                    select(2);
                    select(99);
                }
            });
        },
        0));
    const auto id = shownWindow(0);
    ASSERT_TRUE(presenter->waitFor([](const auto& w) { return w[0].focus == 3; }));
    presenter->press(id, 3);
    ASSERT_TRUE(presenter->waitFor([](const auto& w) { return w[0].focus == 2; }));
    presenter->closeBySystem(id);
    ASSERT_TRUE(waitForThreads());
    EXPECT_EQ(presenter->windows()[0].focus, 2) << "an unknown control takes no focus either";
}

TEST_F(WindowLayerTest, EventsForAWindowThatHasGoneAreDropped) {
    TurnLog log;
    ASSERT_TRUE(startThread([&] { runLoggingChild(log); }, 0));
    const auto id = shownWindow(0);
    presenter->closeBySystem(id);
    ASSERT_TRUE(waitForThreads());
    presenter->press(id, 3);
    post(ControlAccepted, 3, 2);
    post(ControlAccepted, 3, 57);
    EXPECT_THAT(log.events(), ElementsAre(WindowOpened));
}

TEST_F(WindowLayerTest, BoundVariablesMustMatchTheValueDisplays) {
    std::string tooFew, wrongLength, unknown;
    ASSERT_TRUE(startThread(
        [&] {
            Window window;
            rt::TextField<20> shortField;
            const auto whyNot = [](const rt::Result<void, PrepareError>& prepared) {
                return prepared ? std::string() : prepared.error().message;
            };
            tooFew = whyNot(prepareWindow(window, "TEST$CHILD", "CHILD$WINDOW", {}));
            wrongLength = whyNot(prepareWindow(window, "TEST$CHILD", "CHILD$WINDOW", {shortField.chars()}));
            unknown = whyNot(prepareWindow(window, "TEST$CHILD", "NO$SUCHWINDOW", {}));
        },
        0));
    ASSERT_TRUE(waitForThreads());
    EXPECT_NE(tooFew.find("CHILD$WINDOW"), std::string::npos) << tooFew;
    EXPECT_NE(tooFew.find("TEST$CHILD"), std::string::npos) << tooFew;
    EXPECT_NE(wrongLength.find("does not match"), std::string::npos) << wrongLength;
    EXPECT_NE(unknown.find("NO$SUCHWINDOW"), std::string::npos) << unknown;
}

// The frame's procedure runs on the first thread and waits inside the
// presenter; a post from another thread must wake it.
TEST_F(WindowLayerTest, PostToTheFirstThreadWakesTheFrame) {
    Window frame;
    ASSERT_TRUE(prepareFrame(frame, "TEST$FRAME", "FRAME$WINDOW"));
    openWindow(frame);
    startEventLoop();
    ASSERT_EQ(event(), WindowOpened);
    std::thread poster([] {
        std::this_thread::sleep_for(50ms);
        post(ControlAccepted, -9, FirstThread);
    });
    EXPECT_FALSE(endEventLoop());
    EXPECT_EQ(accepted(), -9);
    poster.join();
    post(CloseRequested, 0, OwnThread);
    EXPECT_TRUE(endEventLoop());
}

TEST_F(WindowLayerTest, MenuEntriesReachTheFrameOrTheLayer) {
    Window frame;
    ASSERT_TRUE(prepareFrame(frame, "TEST$FRAME", "FRAME$WINDOW"));
    openWindow(frame);
    startEventLoop();
    const auto id = shownWindow(0);
    std::thread person([&] {
        presenter->choose(id, -10);
        presenter->choose(id, -9);
        presenter->choose(id, -3);
    });
    std::vector<int> accepted;
    while (!endEventLoop()) {
        accepted.push_back(rt::accepted());
    }
    person.join();
    EXPECT_THAT(accepted, ElementsAre(-9)) << "tile is the layer's own; exit closes the frame";
    EXPECT_THAT(presenter->standardActions(), ElementsAre(2, 15));
    EXPECT_TRUE(presenter->openWindows().empty());
}

TEST_F(WindowLayerTest, EndingTheProcessClosesEveryOtherWindow) {
    TurnLog first, second;
    ASSERT_TRUE(startThread([&] { runLoggingChild(first); }, 0));
    ASSERT_TRUE(startThread([&] { runLoggingChild(second); }, 25000));
    shownWindow(1);
    closeDown();
    EXPECT_EQ(runningThreads(), 0u);
    EXPECT_THAT(first.events(), ElementsAre(WindowOpened));
    EXPECT_THAT(second.events(), ElementsAre(WindowOpened));
    startUp({}, 0, nullptr);  // the fixture closes down once more
}

// The frame (here the test's thread) started a procedure that throws once its
// window is open: the window goes, the thread ends, and the frame hears of it.
TEST_F(WindowLayerTest, ProcedureThatThrowsClosesItsWindowAndTellsItsStarter) {
    Window frame;
    ASSERT_TRUE(prepareFrame(frame, "TEST$FRAME", "FRAME$WINDOW"));
    openWindow(frame);
    startEventLoop();
    ASSERT_EQ(event(), WindowOpened);
    TurnLog log;
    ASSERT_TRUE(startThread(
        [&] {
            runLoggingChild(log, [] {
                if (event() == WindowOpened) {
                    throw std::runtime_error("the procedure's own failure");
                }
            });
        },
        0));
    EXPECT_FALSE(endEventLoop());
    EXPECT_EQ(event(), ThreadFailed);
    EXPECT_NE(field(), 0) << "the failed thread's number";
    EXPECT_EQ(runningThreads(), 0u);
    const auto windows = presenter->windows();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_FALSE(windows[1].isOpen) << "the failed procedure's window is closed";
    post(CloseRequested, 0, OwnThread);
    EXPECT_TRUE(endEventLoop());
}

// Procedure threads read the presenter without a lock: changing it while one
// may run is refused where it happens, never left to chance.
TEST_F(WindowLayerTest, PresenterChangedWhileAProcedureThreadRunsEndsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            Signal never;
            (void)startThread([&] { never.wait(); }, 0);
            usePresenter(nullptr);
        },
        "presenter was changed");
}

TEST_F(WindowLayerTest, RefusedThreadSaysWhyAndIsNeverWaitedFor) {
    bool ran = false;
    {
        RefusedThreadStarts refused(1);
        const auto started = startThread([&] { ran = true; }, 0);
        ASSERT_FALSE(started);
        EXPECT_TRUE(started.error());
    }
    EXPECT_EQ(runningThreads(), 0u);
    closeDown();
    EXPECT_FALSE(ran);
    startUp({}, 0, nullptr);  // the fixture closes down once more
}

// A small requested stack is raised: this recursion needs far more than 25,000 bytes.
TEST(NativeThread, SmallStackRequestsAreRaised) {
    EXPECT_EQ(NativeThread::effectiveStackBytes(0), NativeThread::kMinimumStackBytes)
        << "a default request gets the floor too, whatever RLIMIT_STACK says";
    EXPECT_EQ(NativeThread::effectiveStackBytes(25000), NativeThread::kMinimumStackBytes);
    std::atomic<long> depth{0};
    std::function<long(long)> recurse = [&](long n) -> long {
        volatile char frame[1024];
        frame[0] = static_cast<char>(n);
        return n == 0 ? frame[0] : recurse(n - 1) + frame[0];
    };
    NativeThread thread([&] { depth = recurse(200); }, 25000);
    ASSERT_TRUE(thread.isStarted());
    thread.join();
    EXPECT_GE(depth.load(), 0);
}

TEST(StartUp, CompatibilityFollowsTheInterfaceVersion) {
    EXPECT_NE(checkVersion(0x102, 3, 0), 0);
    EXPECT_NE(checkVersion(0x102, 1, 0), 0) << "an older revision of the same interface runs";
    EXPECT_EQ(checkVersion(0x102, 4, 0), 0) << "a newer revision needs what this runtime lacks";
    EXPECT_EQ(checkVersion(0x103, 3, 0), 0);
    EXPECT_EQ(checkVersion(0x101, 3, 0), 0);
}

TEST(StartUp, CommandTextHoldsTheParametersOnly) {
    const char* argv[] = {"/opt/hide/keldwick", "/x", "two words"};
    static int initialised = 0;
    const Module modules[] = {{"A", [](int reason) { initialised += reason == 0 ? 1 : 0; }},
                              {"B", &initialiseModule}};
    startUp(modules, 3, argv);
    EXPECT_EQ(commandText("", 0), "/x two words");
    EXPECT_EQ(initialised, 1);
    EXPECT_EQ(initialisedModules(), 1);
    startUp({}, 1, argv);
    EXPECT_EQ(commandText("", 0), "");
    closeDown();
}

}  // namespace
}  // namespace rt::test
