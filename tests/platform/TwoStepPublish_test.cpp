// Publishing where the file system has no one-step replace, as on Windows 95,
// 98 and Me: the old file is deleted, then the complete temporary renamed.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <thread>

#include "platform/filesystem/FileSystem.h"
#include "platform/report/TemporaryFile.h"
#include "platform/report/WholeFilePublisher.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/TempFolder.h"

namespace rt {
namespace {

namespace fs = std::filesystem;
using rt::test::FaultyFileSystem;
using rt::test::readWholeFile;
using rt::test::TempFolder;
using rt::test::writeWholeFile;

constexpr std::string_view kBefore = "[VREDIR.VXD]\r\nISWIN95=NO\r\n";
constexpr std::string_view kAfter = "[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=4.00.1116\r\n";

std::vector<std::string> temporariesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename() != "KELDWICK.INI") {
            names.push_back(entry.path().filename().string());
        }
    }
    return names;
}

class TwoStepPublish : public ::testing::Test {
  protected:
    // The error the publish ended with; none for one that succeeded.
    std::error_code publish(FaultyFileSystem& system) {
        system.withoutOneStepReplace();
        ScopedFileSystem installed(system);
        const auto published = publishWholeFile(report.c_str(), kAfter);
        return published ? std::error_code{} : published.error();
    }

    std::string reportText() const { return fs::exists(report) ? readWholeFile(report) : "<none>"; }

    TempFolder folder;
    std::string report = (folder / "KELDWICK.INI").string();
};

TEST_F(TwoStepPublish, OldFileMakesWayForTheWholeNewOne) {
    writeWholeFile(report, std::string(kBefore));
    FaultyFileSystem system;
    EXPECT_FALSE(publish(system));
    EXPECT_EQ(reportText(), kAfter);
    EXPECT_TRUE(temporariesIn(folder.path()).empty());
}

TEST_F(TwoStepPublish, NoOldFileIsNoObstacle) {
    FaultyFileSystem system;
    EXPECT_FALSE(publish(system));
    EXPECT_EQ(reportText(), kAfter);
}

// Each call failed in turn, once and for good: the file is the old one, the
// new one, or (only once the old one was deleted) none, never part of one. A
// publish that reports success put the new text there. Once the old file is
// gone, a temporary that the failing file system kept is complete, and the
// next run sweeps it away.
TEST_F(TwoStepPublish, FaultAtAnyStepLeavesOldNewOrNoFileNeverATornOne) {
    for (const auto mode : {FaultyFileSystem::Mode::Once, FaultyFileSystem::Mode::Persistent}) {
        for (int n = 1;; ++n) {
            writeWholeFile(report, std::string(kBefore));
            FaultyFileSystem faulty;
            faulty.failCall(n, mode);
            const auto result = publish(faulty);
            SCOPED_TRACE("failing call " + std::to_string(n) +
                         (mode == FaultyFileSystem::Mode::Once ? " once" : " for good"));
            const auto text = reportText();
            if (result) {
                EXPECT_TRUE(text == kBefore || text == kAfter || text == "<none>") << text;
            } else {
                EXPECT_EQ(text, kAfter);
            }
            const auto left = temporariesIn(folder.path());
            EXPECT_LE(left.size(), mode == FaultyFileSystem::Mode::Once ? 0u : 1u);
            for (const auto& name : left) {
                if (text == "<none>") {
                    EXPECT_EQ(readWholeFile(folder / name), kAfter) << "the temporary left is complete";
                }
                fs::last_write_time(folder / name,
                                    fs::file_time_type::clock::now() - std::chrono::minutes(5));
            }
            TemporaryFile::removeStale(report);
            EXPECT_TRUE(temporariesIn(folder.path()).empty()) << "the next run sweeps it away";
            if (!faulty.failedAny()) {
                break;
            }
            ASSERT_LT(n, 100);
        }
    }
}

TEST_F(TwoStepPublish, ReadersFindTheWholeFileOrNone) {
    std::atomic<bool> done{false};
    std::atomic<int> torn{0};
    std::thread reader([&] {
        while (!done) {
            const auto text = readWholeFile(report);
            if (!text.empty() && text != kBefore && text != kAfter) {
                ++torn;
            }
        }
    });
    FaultyFileSystem system;
    system.withoutOneStepReplace();
    ScopedFileSystem installed(system);
    for (int i = 0; i < 300; ++i) {
        ASSERT_TRUE(publishWholeFile(report.c_str(), i % 2 == 0 ? kBefore : kAfter).ok());
    }
    done = true;
    reader.join();
    EXPECT_EQ(torn, 0);
}

}  // namespace
}  // namespace rt
