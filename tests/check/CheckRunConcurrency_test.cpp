#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <regex>
#include <set>
#include <thread>

#include "CheckFixture.h"
#include "tests/support/Unprivileged.h"

namespace keldwick::test {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

class CheckRunConcurrency : public CheckFixture {};

// Runs on many threads at once each read a different version; the observer
// must only ever see a whole report from one run (every run finds the driver,
// so ISWIN95 alone is part of a report), and the last run to read (the
// highest number, since reads happen under the lock) owns the file.
TEST_F(CheckRunConcurrency, ManyRunsAtOnceLeaveExactlyOneRunsEntries) {
    constexpr int kThreads = 8;
    constexpr int kRunsPerThread = 40;
    std::atomic<int> counter{0};
    putDriver(systemDir(), "unused");
    services.setVersionSource([&] { return "5.00." + std::to_string(++counter); });

    std::atomic<bool> done{false};
    std::atomic<int> malformed{0};
    std::thread observer([&] {
        const std::regex whole(R"(\[VREDIR\.VXD\]\r\nISWIN95=YES\r\nVERSION=5\.00\.\d+\r\n)");
        while (!done) {
            const auto text = rt::test::readWholeFile(report());
            if (!text.empty() && !std::regex_match(text, whole)) {
                ++malformed;
            }
        }
    });

    std::mutex seenMutex;
    std::set<std::string> seen;
    std::atomic<int> wrongFields{0};
    std::vector<std::thread> runners;
    runners.reserve(kThreads);
    for (int t = 0; t < kThreads; ++t) {
        runners.emplace_back([&] {
            for (int i = 0; i < kRunsPerThread; ++i) {
                ResultField isWin95, driverVersion, recommend;
                (void)CHECKVREDIR(isWin95, driverVersion, recommend);
                if (!(isWin95 == "YES") || !(recommend == "UPGRADE") ||
                    !driverVersion.str().starts_with("5.00.")) {
                    ++wrongFields;
                }
                std::lock_guard lock(seenMutex);
                seen.insert(driverVersion.str());
            }
        });
    }
    for (auto& runner : runners) {
        runner.join();
    }
    done = true;
    observer.join();

    EXPECT_EQ(wrongFields, 0);
    EXPECT_EQ(malformed, 0);
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kThreads * kRunsPerThread))
        << "each run read its own version";
    EXPECT_EQ(reportText(), "[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=5.00." +
                                std::to_string(kThreads * kRunsPerThread) + "\r\n");
}

// Another process checking in the same folder holds its lock: this run waits
// for it before touching the report.
TEST_F(CheckRunConcurrency, WaitsForAnotherProcessHoldingTheFolder) {
    rt::test::writeWholeFile(report(), "theirs");
    const int folder = ::open(cwd().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(folder, 0);
    ASSERT_EQ(::flock(folder, LOCK_EX), 0);

    std::atomic<bool> finished{false};
    std::thread run([&] {
        runCheck();
        finished = true;
    });
    std::this_thread::sleep_for(300ms);
    EXPECT_FALSE(finished);
    EXPECT_EQ(rt::test::readWholeFile(report()), "theirs");
    ::flock(folder, LOCK_UN);
    ::close(folder);
    run.join();
    EXPECT_EQ(reportText(), "[VREDIR.VXD]\r\nISWIN95=YES\r\n");
}

// Another process's check holds the folder past the wait, perhaps stopped
// with an older report to publish: this run leaves the report alone and says
// so. It once published without the lock, and the older one landed on top.
TEST_F(CheckRunConcurrency, RunThatCannotGetTheLockInTimeLeavesTheReportAlone) {
    rt::test::writeWholeFile(report(), "theirs");
    const int folder = ::open(cwd().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(folder, 0);
    ASSERT_EQ(::flock(folder, LOCK_EX), 0);
    CheckRunLock::setFolderWait(200ms);
    ::testing::internal::CaptureStderr();
    const auto r = runCheck();
    const auto said = ::testing::internal::GetCapturedStderr();
    CheckRunLock::setFolderWait(rt::FolderLock::kDefaultWait);
    ::close(folder);
    EXPECT_EQ(r.isWin95, "YES");
    EXPECT_EQ(r.notWritten,
              "another check kept the folder locked for more than 200 ms; the report there is left as it was "
              "and is not this run's");
    EXPECT_EQ(said, "keldwick: cannot write the report " + report().string() + ": " + r.notWritten + "\n");
    EXPECT_EQ(rt::test::readWholeFile(report()), "theirs");
}

// A drop box: the folder may be written but not read, so it can be neither
// locked nor flushed as a folder. The lock is then a file in it, and the
// report once renamed in place stays, with a warning. It was once removed
// again, on every run.
TEST_F(CheckRunConcurrency, WriteOnlyFolderKeepsItsReportAndWarnsOfTheFlush) {
    rt::test::writeWholeFile(report(), "[VREDIR.VXD]\r\nISWIN95=NO\r\n");
    fs::permissions(m_root.path(), fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(cwd(), fs::perms::owner_all | fs::perms::others_write | fs::perms::others_exec);
    const auto verdict = rt::test::runUnprivileged([&] {
        ::testing::internal::CaptureStderr();
        const auto r = runCheck();
        const auto said = ::testing::internal::GetCapturedStderr();
        return r.notWritten.empty() &&
               said == "keldwick: warning: the report " + report().string() +
                           " was written but could not be flushed to disk (Permission denied); a power loss "
                           "may undo it\n";
    });
    if (!verdict) {
        GTEST_SKIP() << "cannot drop privileges here";
    }
    EXPECT_TRUE(*verdict);
    EXPECT_EQ(reportText(), "[VREDIR.VXD]\r\nISWIN95=YES\r\n");
    EXPECT_TRUE(fs::exists(cwd() / ".KELDWICK.LK")) << "the folder's lock, as a file";
}

}  // namespace
}  // namespace keldwick::test
