#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <random>
#include <regex>

#include "ProgramFixture.h"
#include "check/CheckRunLock.h"
#include "ui/HiddenMode.h"

namespace keldwick::test {
namespace {

class Program : public ProgramFixture {};

TEST_F(Program, HiddenRunWritesTheReportAndEndsByItself) {
    EXPECT_EQ(runProgram({"HIDE"}), 0);
    EXPECT_TRUE(HiddenMode);
    EXPECT_EQ(reportText(), "[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=4.00.1116\r\n");
}

// A login script branches on the status, asked for with /STATUS; without it a
// run that checked ends with 0 whatever the answer, as scripts expect.
TEST_F(Program, StatusGivesTheAnswerOnlyWhenAskedFor) {
    const auto driver = (m_root / "system" / "VREDIR.VXD").string();
    EXPECT_EQ(runProgram({"HIDE", "/STATUS"}), 0) << "OK";
    services.setVersion(driver, "4.00.1115");
    EXPECT_EQ(runProgram({"HIDE"}), 0);
    EXPECT_EQ(runProgram({"HIDE", "/status"}), 2) << "UPGRADE";
    services.platformId = 2;
    EXPECT_EQ(runProgram({"/hide/status"}), 3) << "NOT95";
    services.setVersion(driver, "");
    EXPECT_EQ(runProgram({"/hide/status"}), 4) << "UNKNOWN";
    EXPECT_EQ(runProgram({"/hide/statusbar"}), 0);
}

// A report that did not reach its file is not this run's: its status wins
// over the recommendation, so that no script acts on an answer it cannot find.
TEST_F(Program, ReportNotWrittenHasAStatusOfItsOwn) {
    services.setVersion((m_root / "system" / "VREDIR.VXD").string(), "4.00.1115");
    services.cwd.clear();
    EXPECT_EQ(runProgram({"HIDE"}), 0);
    EXPECT_EQ(runProgram({"HIDE", "/STATUS"}), 5);
}

// Another run holds the folder past the wait and may still publish: this run
// leaves the report to it, and only the status tells the script.
TEST_F(Program, RunThatCannotGetTheFolderInTimeEndsAsNotWritten) {
    const std::string theirs = "[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=4.00.1116\r\n";
    rt::test::writeWholeFile(m_root / "current" / "KELDWICK.INI", theirs);
    services.setVersion((m_root / "system" / "VREDIR.VXD").string(), "4.00.1115");
    const int folder = ::open(services.cwd.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(folder, 0);
    ASSERT_EQ(::flock(folder, LOCK_EX), 0);
    CheckRunLock::setFolderWait(std::chrono::milliseconds(100));
    ::testing::internal::CaptureStderr();
    const int silent = runProgram({"HIDE"});
    const int asked = runProgram({"HIDE", "/STATUS"});
    (void)::testing::internal::GetCapturedStderr();
    CheckRunLock::setFolderWait(rt::FolderLock::kDefaultWait);
    ::close(folder);
    EXPECT_EQ(silent, 0);
    EXPECT_EQ(asked, 5);
    EXPECT_EQ(reportText(), theirs);
}

TEST_F(Program, NormalRunAskedForItsStatusEndsWithTheLastCheckAnswer) {
    int reads = 0;
    services.setVersionSource([&] { return ++reads == 1 ? "4.00.1116" : "4.00.1115"; });
    const int status = runProgram({"/STATUS"}, [&] {
        const auto frame = frameId();
        statusWindowWithResults(0);
        presenter->choose(frame, kGetVersionEntry);
        statusWindowWithResults(1);
        presenter->choose(frame, kExitEntry);
    });
    EXPECT_EQ(status, 2);
}

TEST_F(Program, HiddenRunNeverShowsAWindowEvenWithAScreen) {
    EXPECT_EQ(runProgram({"/nohide"}, [&] {}), 0);
    EXPECT_TRUE(presenter->windows().empty());
    EXPECT_TRUE(presenter->zones().empty());
    EXPECT_EQ(presenter->beeps(), 0);
    EXPECT_EQ(reportText(), "[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=4.00.1116\r\n");
}

TEST_F(Program, NormalRunShowsTheFrameAndOneStatusWindowUntilExit) {
    std::vector<rt::test::HeadlessPresenter::ShownWindow> seen;
    const int status = runProgram({}, [&] {
        const auto frame = frameId();
        const auto child = statusWindowWithResults(0);
        seen = presenter->openWindows();
        presenter->press(child.id, kCloseButton);
        presenter->waitFor([](const auto& w) {
            return std::count_if(w.begin(), w.end(), [](const auto& x) { return x.isOpen; }) == 1;
        });
        presenter->choose(frame, kExitEntry);
    });
    EXPECT_EQ(status, 0);
    EXPECT_FALSE(HiddenMode);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].title, "Redirector Status");
    EXPECT_TRUE(seen[0].isFrame);
    EXPECT_EQ(seen[1].title, "Vredir.VXD Status");
    EXPECT_EQ(seen[1].texts.at(kIsWin95Display), "YES");
    EXPECT_EQ(seen[1].texts.at(kVersionDisplay), "4.00.1116");
    EXPECT_EQ(seen[1].texts.at(kRecommendDisplay), "OK");
    EXPECT_EQ(seen[1].texts.at(7), "Results only meaningfull if Server is NT.");
    EXPECT_EQ(seen[1].focus, kCloseButton) << "the static text asked for last takes no focus";
    EXPECT_TRUE(presenter->openWindows().empty());
}

// Each status window runs its own check; the report is the last check's.
TEST_F(Program, GetVersionWhileOneIsOpenOpensAnotherWithItsOwnCheck) {
    int reads = 0;
    services.setVersionSource([&] { return "4.00." + std::to_string(1200 + ++reads); });
    std::vector<std::string> versions;
    const int status = runProgram({}, [&] {
        const auto frame = frameId();
        statusWindowWithResults(0);
        presenter->choose(frame, kGetVersionEntry);
        statusWindowWithResults(1);
        presenter->choose(frame, kGetVersionEntry);
        statusWindowWithResults(2);
        for (const auto& window : presenter->openWindows()) {
            if (!window.isFrame) {
                versions.push_back(window.texts.at(kVersionDisplay));
            }
        }
        presenter->choose(frame, kExitEntry);  // with three status windows still open
    });
    EXPECT_EQ(status, 0);
    std::sort(versions.begin(), versions.end());
    EXPECT_EQ(versions, (std::vector<std::string>{"4.00.1201", "4.00.1202", "4.00.1203"}));
    EXPECT_EQ(reportText(), "[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=4.00.1203\r\n");
}

// A folder in the report's place: no check can write it there.
TEST_F(Program, FrameSaysWhenTheReportWasNotWrittenUntilACheckWritesIt) {
    const auto blocked = m_root / "current" / "KELDWICK.INI";
    std::filesystem::create_directory(blocked);
    std::map<int, rt::test::HeadlessPresenter::Zone> failed;
    std::map<int, rt::test::HeadlessPresenter::Zone> written;
    std::string about;
    const int status = runProgram({}, [&] {
        const auto frame = frameId();
        statusWindowWithResults(0);
        failed = presenter->zones();
        about = presenter->about();
        std::filesystem::remove(blocked);
        presenter->choose(frame, kGetVersionEntry);
        statusWindowWithResults(1);
        written = presenter->zones();
        presenter->choose(frame, kExitEntry);
    });
    EXPECT_EQ(status, 0);
    ASSERT_EQ(failed.count(3), 1u);
    EXPECT_EQ(failed[3].text, "Report not written");
    EXPECT_EQ(failed[3].tip.rfind(blocked.string() + ": ", 0), 0u) << failed[3].tip;
    EXPECT_GT(failed[3].tip.size(), blocked.string().size() + 2) << "a reason follows the file";
    EXPECT_EQ(written[3], (rt::test::HeadlessPresenter::Zone{})) << "a written report clears the zone";
    EXPECT_NE(about.find("keldwick " KELDWICK_VERSION), std::string::npos) << about;
    EXPECT_NE(about.find((m_root / "current").string()), std::string::npos) << about;
}

TEST_F(Program, RejectedInputBeepsOnceRedrawsAndKeepsTheFocus) {
    rt::test::HeadlessPresenter::ShownWindow after;
    int beeps = 0;
    runProgram({}, [&] {
        const auto frame = frameId();
        const auto before = statusWindowWithResults(0);
        presenter->rejectInput(before.id, kVersionDisplay);
        presenter->waitFor([&](const auto& w) { return w[1].focus == kVersionDisplay; });
        beeps = presenter->beeps();
        after = presenter->windows()[1];
        presenter->choose(frame, kExitEntry);
    });
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(after.focus, kVersionDisplay);
    EXPECT_GE(after.redraws.at(kVersionDisplay), 1);
}

TEST_F(Program, HelpIsAnsweredWithoutACheckOrAWindow) {
    ::testing::internal::CaptureStdout();
    const int status = runProgram({"--help"}, [] {});
    const std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out.rfind("usage: keldwick", 0), 0u) << out;
    EXPECT_TRUE(presenter->windows().empty());
    EXPECT_EQ(reportText(), "<no report>");
}

TEST_F(Program, HelpBesideHideStillRunsTheHiddenCheck) {
    EXPECT_EQ(runProgram({"--help", "hide"}), 0);
    EXPECT_TRUE(HiddenMode);
    EXPECT_EQ(reportText(), "[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=4.00.1116\r\n");
}

TEST_F(Program, ProgramInstalledUnderAFolderNamedHideStartsNormally) {
    std::vector<std::string> arguments;  // the program's own path is no parameter
    const int status = runProgram(arguments, [&] { presenter->choose(frameId(), kExitEntry); });
    EXPECT_EQ(status, 0);
    EXPECT_FALSE(HiddenMode);
}

// Many status windows opened from the menu and closed in random order: every
// one shows its results, every close is honoured, and the report stays whole.
TEST_F(Program, TwoHundredStatusWindowsOpenAndCloseInAnyOrder) {
    constexpr std::size_t kWindows = 200;
    std::size_t closedAll = 0;
    runProgram({}, [&] {
        const auto frame = frameId();
        for (std::size_t i = 1; i < kWindows; ++i) {
            presenter->choose(frame, kGetVersionEntry);
        }
        ASSERT_TRUE(presenter->waitFor(
            [&](const auto& windows) {
                return std::count_if(windows.begin(), windows.end(), [](const auto& w) {
                           return !w.isFrame && w.focus == kCloseButton;
                       }) == static_cast<long>(kWindows);
            },
            std::chrono::seconds(90)));
        auto open = presenter->openWindows();
        std::erase_if(open, [](const auto& w) { return w.isFrame; });
        std::shuffle(open.begin(), open.end(), std::mt19937(7));
        for (const auto& window : open) {
            presenter->press(window.id, kCloseButton);
        }
        presenter->waitFor([](const auto& windows) {
            return std::count_if(windows.begin(), windows.end(), [](const auto& w) { return w.isOpen; }) == 1;
        });
        closedAll = presenter->windows().size() - presenter->openWindows().size();
        presenter->choose(frame, kExitEntry);
    });
    EXPECT_EQ(closedAll, kWindows);
    EXPECT_EQ(reportText(), "[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=4.00.1116\r\n");
}

}  // namespace
}  // namespace keldwick::test
