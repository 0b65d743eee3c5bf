#include "platform/report/ProfileBatch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "platform/report/ProfileWriter.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/ReportReading.h"
#include "tests/support/TempFolder.h"

namespace rt {
namespace {

namespace fs = std::filesystem;
using rt::test::FaultyFileSystem;
using rt::test::readsAs;
using rt::test::readWholeFile;
using rt::test::TempFolder;
using rt::test::writeWholeFile;

constexpr const char* kOld = "[VREDIR.VXD]\r\nISWIN95=NO\r\nVERSION=4.00.950\r\n";
constexpr const char* kNew = "[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=4.00.1116\r\n";

class ProfileBatchTest : public ::testing::Test {
  protected:
    void putBoth() {
        ASSERT_TRUE(putProfileEntry("VREDIR.VXD", "ISWIN95", "YES", report.c_str()).ok());
        ASSERT_TRUE(putProfileEntry("VREDIR.VXD", "VERSION", "4.00.1116", report.c_str()).ok());
    }

    TempFolder folder;
    std::string report = (folder / "KELDWICK.INI").string();
};

TEST_F(ProfileBatchTest, PutsReachTheFileOnlyTogether) {
    writeWholeFile(report, kOld);
    {
        ProfileBatch batch;
        batch.open(report);
        putBoth();
        EXPECT_EQ(readWholeFile(report), kOld) << "nothing is published before the batch is";
        ASSERT_TRUE(batch.publish(InPlace::Refused));
    }
    EXPECT_EQ(readWholeFile(report), kNew);
}

TEST_F(ProfileBatchTest, PutsForOtherPathsOrFromOtherThreadsAreRefused) {
    const auto other = (folder / "OTHER.INI").string();
    ProfileBatch batch;
    batch.open(report);
    EXPECT_EQ(putProfileEntry("S", "E", "1", other.c_str()).error(), std::errc::bad_file_descriptor);
    std::thread elsewhere([&] {
        EXPECT_EQ(putProfileEntry("S", "E", "2", report.c_str()).error(), std::errc::bad_file_descriptor);
    });
    elsewhere.join();
    EXPECT_TRUE(batch.text().empty());
    EXPECT_FALSE(fs::exists(other));
    EXPECT_FALSE(fs::exists(report));
}

TEST_F(ProfileBatchTest, BatchClosedWithoutPublishingLeavesTheFileAndStopsCollecting) {
    writeWholeFile(report, kOld);
    {
        ProfileBatch batch;
        batch.open(report);
        putBoth();
    }
    EXPECT_EQ(readWholeFile(report), kOld);
    EXPECT_FALSE(putProfileEntry("VREDIR.VXD", "ISWIN95", "YES", report.c_str()).ok());
    EXPECT_EQ(readWholeFile(report), kOld);
}

// One check has one report: a second batch on the thread is a fault of the program.
TEST_F(ProfileBatchTest, SecondBatchOnOneThreadEndsTheProgram) {
    ProfileBatch first;
    first.open(report);
    ProfileBatch second;
    EXPECT_DEATH(second.open((folder / "OTHER.INI").string()), "a second report");
}

TEST_F(ProfileBatchTest, BatchWithoutPutsRemovesTheFile) {
    writeWholeFile(report, kOld);
    ProfileBatch batch;
    batch.open(report);
    ASSERT_TRUE(batch.publish(InPlace::Allowed));
    EXPECT_FALSE(fs::exists(report));
}

// The folder takes no new file but the old one is writable: left alone, its
// stale text would pass for this run's.
TEST_F(ProfileBatchTest, FolderThatTakesNoNewFileGetsTheOldFileRewrittenInPlace) {
    writeWholeFile(report, std::string(kOld) + "; a longer tail than the new text has\r\n");
    FaultyFileSystem noNewFiles;
    noNewFiles.refuseNewFiles(std::errc::permission_denied);
    ScopedFileSystem installed(noNewFiles);
    ProfileBatch batch;
    batch.open(report);
    putBoth();
    ASSERT_TRUE(batch.publish(InPlace::Allowed));
    EXPECT_TRUE(readsAs(readWholeFile(report), kNew)) << readWholeFile(report);
}

// Two writers rewriting one file in place could mix their texts: a writer
// without the folder lock removes the old file instead.
TEST_F(ProfileBatchTest, WriterWithoutTheLockNeverRewritesInPlace) {
    writeWholeFile(report, kOld);
    FaultyFileSystem noNewFiles;
    noNewFiles.refuseNewFiles(std::errc::permission_denied);
    ScopedFileSystem installed(noNewFiles);
    ProfileBatch batch;
    batch.open(report);
    putBoth();
    const auto published = batch.publish(InPlace::Refused);
    ASSERT_FALSE(published);
    EXPECT_EQ(published.error().cause, std::errc::permission_denied);
    EXPECT_FALSE(fs::exists(report));
}

// Every file-system call of a publish failed in turn, once and for good, on
// the usual path and on the in-place one (to a longer and a shorter text):
// the file then reads as the new text, or it is gone, or the batch says that
// it remains, and then it reads as the old one. It is never empty or mixed:
// an in-place rewrite that failed once left an empty file.
TEST_F(ProfileBatchTest, FailureAtAnyCallLeavesTheNewTextOrTheWholeOldOne) {
    const std::string longOld = std::string(kOld) + "; a longer tail than the new text has\r\n";
    for (const auto& old : {std::string(kOld), longOld}) {
        for (const bool takesNewFiles : {true, false}) {
            for (const auto mode : {FaultyFileSystem::Mode::Once, FaultyFileSystem::Mode::Persistent}) {
                for (int n = 1;; ++n) {
                    writeWholeFile(report, old);
                    FaultyFileSystem faulty;
                    if (!takesNewFiles) {
                        faulty.refuseNewFiles(std::errc::too_many_files_open);
                    }
                    ProfileBatch batch;
                    batch.open(report);
                    putBoth();
                    faulty.failCall(n, mode, std::errc::no_space_on_device);
                    {
                        ScopedFileSystem installed(faulty);
                        const auto published = batch.publish(InPlace::Allowed);
                        SCOPED_TRACE("failing call " + std::to_string(n) +
                                     (takesNewFiles ? "" : " in place"));
                        const auto exists = fs::exists(fs::symlink_status(report));
                        const auto text = readWholeFile(report);
                        if (published) {
                            EXPECT_TRUE(readsAs(text, kNew)) << text;
                        } else if (published.error().oldFileRemains) {
                            EXPECT_TRUE(readsAs(text, old)) << text;
                        } else {
                            EXPECT_FALSE(exists) << text;
                        }
                    }
                    for (const auto& entry : fs::directory_iterator(folder.path())) {
                        fs::remove(entry.path());
                    }
                    if (!faulty.failedAny()) {
                        break;
                    }
                    ASSERT_LT(n, 100);
                }
            }
        }
    }
}

// A reader of a report rewritten in place, again and again to longer and
// shorter texts, finds one whole report each time: it once found the file
// empty in a third of its looks.
TEST_F(ProfileBatchTest, ReadersOfAnInPlaceRewriteFindAWholeReport) {
    const std::string shorter = "[VREDIR.VXD]\r\nISWIN95=NO\r\n";
    writeWholeFile(report, shorter);
    FaultyFileSystem noNewFiles;
    noNewFiles.refuseNewFiles(std::errc::permission_denied);
    ScopedFileSystem installed(noNewFiles);
    std::atomic<bool> done{false};
    std::atomic<int> looks{0};
    std::atomic<int> broken{0};
    std::thread reader([&] {
        while (!done) {
            const auto text = readWholeFile(report);
            ++looks;
            if (!readsAs(text, kNew) && !readsAs(text, shorter)) {
                ++broken;
            }
        }
    });
    for (int i = 0; i < 300; ++i) {
        ProfileBatch batch;
        batch.open(report);
        if (i % 2 == 0) {
            putBoth();
        } else {
            ASSERT_TRUE(putProfileEntry("VREDIR.VXD", "ISWIN95", "NO", report.c_str()).ok());
        }
        ASSERT_TRUE(batch.publish(InPlace::Allowed));
    }
    done = true;
    reader.join();
    EXPECT_GT(looks, 0);
    EXPECT_EQ(broken, 0);
    EXPECT_LT(fs::file_size(report), 512u) << "the slots take turns; the file does not grow";
}

TEST_F(ProfileBatchTest, InPlaceRewriteNeverReachesALinkedFile) {
    const auto target = folder / "target.txt";
    const auto secondName = folder / "second-name.txt";
    for (const bool symbolic : {true, false}) {
        writeWholeFile(target, "secret\n");
        fs::remove(report);
        fs::remove(secondName);
        if (symbolic) {
            fs::create_symlink(target, report);
        } else {
            fs::create_hard_link(target, report);
            fs::create_hard_link(target, secondName);
        }
        FaultyFileSystem noNewFiles;
        noNewFiles.refuseNewFiles(std::errc::permission_denied);
        ScopedFileSystem installed(noNewFiles);
        ProfileBatch batch;
        batch.open(report);
        putBoth();
        EXPECT_FALSE(batch.publish(InPlace::Allowed));
        EXPECT_EQ(readWholeFile(target), "secret\n") << (symbolic ? "symbolic link" : "hard link");
        EXPECT_FALSE(fs::exists(fs::symlink_status(report)));
    }
}

}  // namespace
}  // namespace rt
