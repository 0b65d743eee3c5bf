#include "platform/report/ProfileWriter.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "platform/report/TemporaryFile.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/TempFolder.h"

namespace rt {
namespace {

namespace fs = std::filesystem;
using rt::test::FaultyFileSystem;
using rt::test::readWholeFile;
using rt::test::TempFolder;
using rt::test::writeWholeFile;

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The error a put ended with; none for a put that succeeded.
std::error_code failureOf(const rt::Result<void, std::error_code>& put) {
    return put ? std::error_code{} : put.error();
}

class ProfileWriter : public ::testing::Test {
  protected:
    TempFolder folder;
    std::string report = (folder / "KELDWICK.INI").string();
};

TEST_F(ProfileWriter, CreatesTheFileAndLeavesNothingElse) {
    ASSERT_TRUE(putProfileEntry("VREDIR.VXD", "ISWIN95", "YES", report.c_str()).ok());
    ASSERT_TRUE(putProfileEntry("VREDIR.VXD", "VERSION", "4.00.1116", report.c_str()).ok());
    EXPECT_EQ(readWholeFile(report), "[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=4.00.1116\r\n");
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"KELDWICK.INI"});
}

TEST_F(ProfileWriter, NewFileHasTheUsualCreationMode) {
    const auto mask = ::umask(022);
    ASSERT_TRUE(putProfileEntry("S", "E", "V", report.c_str()).ok());
    ::umask(mask);
    EXPECT_EQ(fs::status(report).permissions(), fs::perms::owner_read | fs::perms::owner_write |
                                                    fs::perms::group_read | fs::perms::others_read);
}

TEST_F(ProfileWriter, ReplacesAPlantedLinkWithoutWritingThroughIt) {
    const auto target = folder / "target.txt";
    writeWholeFile(target, "secret\n");
    fs::create_symlink(target, report);
    ASSERT_TRUE(putProfileEntry("S", "E", "V", report.c_str()).ok());
    EXPECT_FALSE(fs::is_symlink(report));
    EXPECT_EQ(readWholeFile(report), "[S]\r\nE=V\r\n")
        << "the link target's text must not leak into the report";
    EXPECT_EQ(readWholeFile(target), "secret\n");
}

TEST_F(ProfileWriter, DanglingLinkDoesNotCreateItsTarget) {
    const auto target = folder / "elsewhere.txt";
    fs::create_symlink(target, report);
    ASSERT_TRUE(putProfileEntry("S", "E", "V", report.c_str()).ok());
    EXPECT_FALSE(fs::exists(target));
    EXPECT_EQ(readWholeFile(report), "[S]\r\nE=V\r\n");
}

TEST_F(ProfileWriter, RefusesADirectoryAndLeavesItStanding) {
    fs::create_directory(report);
    EXPECT_FALSE(putProfileEntry("S", "E", "V", report.c_str()).ok());
    EXPECT_TRUE(fs::is_directory(report));
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"KELDWICK.INI"});
}

TEST_F(ProfileWriter, FifoAtThePathNeitherBlocksNorIsReplaced) {
    ASSERT_EQ(::mkfifo(report.c_str(), 0644), 0);
    EXPECT_FALSE(putProfileEntry("S", "E", "V", report.c_str()).ok());
    EXPECT_TRUE(fs::is_fifo(report));
}

TEST_F(ProfileWriter, OversizedProfileIsLeftAlone) {
    const std::string big(kMaxProfileBytes + 1, 'x');
    writeWholeFile(report, big);
    EXPECT_EQ(failureOf(putProfileEntry("S", "E", "V", report.c_str())), std::errc::file_too_large);
    EXPECT_EQ(fs::file_size(report), big.size());
}

TEST_F(ProfileWriter, MissingFolderFailsCleanly) {
    const auto inside = (folder / "missing" / "KELDWICK.INI").string();
    EXPECT_FALSE(putProfileEntry("S", "E", "V", inside.c_str()).ok());
    EXPECT_TRUE(namesIn(folder.path()).empty());
}

TEST_F(ProfileWriter, RefusesEmptyNames) {
    EXPECT_EQ(failureOf(putProfileEntry("", "E", "V", report.c_str())), std::errc::invalid_argument);
    EXPECT_EQ(failureOf(putProfileEntry("S", "", "V", report.c_str())), std::errc::invalid_argument);
    EXPECT_FALSE(fs::exists(report));
}

// Every file-system call of a put, failed in turn, once and for good: a put
// that reports success published the new text; one that reports failure left
// the old bytes as they were, or the new ones whole where only the folder
// flush after the rename failed. A single failure leaves no temporary
// file; when the file system keeps failing, even the clean-up may, and at most
// one temporary file stays for a later run to remove.
TEST_F(ProfileWriter, FailureAtAnyCallLeavesOldFileOrPublishesNewOne) {
    const std::string before = "[VREDIR.VXD]\r\nISWIN95=NO\r\n";
    const std::string after = "[VREDIR.VXD]\r\nISWIN95=NO\r\nVERSION=4.00.1116\r\n";
    for (const auto mode : {FaultyFileSystem::Mode::Once, FaultyFileSystem::Mode::Persistent}) {
        for (int n = 1;; ++n) {
            writeWholeFile(report, before);
            FaultyFileSystem faulty;
            faulty.failCall(n, mode);
            std::error_code result;
            {
                ScopedFileSystem installed(faulty);
                result = failureOf(putProfileEntry("VREDIR.VXD", "VERSION", "4.00.1116", report.c_str()));
            }
            const auto text = readWholeFile(report);
            SCOPED_TRACE("failing call " + std::to_string(n) +
                         (mode == FaultyFileSystem::Mode::Once ? " once" : " for good"));
            if (result) {
                EXPECT_TRUE(text == before || text == after) << text;
            } else {
                EXPECT_EQ(text, after);
            }
            auto names = namesIn(folder.path());
            const auto leftovers = std::erase(names, "KELDWICK.INI") == 1 ? names.size() : 99;
            EXPECT_LE(leftovers, mode == FaultyFileSystem::Mode::Once ? 0u : 1u);
            for (const auto& name : names) {
                fs::remove(folder / name);
            }
            if (!faulty.failedAny()) {
                break;
            }
            ASSERT_LT(n, 100);
        }
    }
}

TEST_F(ProfileWriter, ReadersNeverSeeATornFile) {
    std::atomic<bool> done{false};
    std::atomic<int> torn{0};
    std::thread reader([&] {
        while (!done) {
            const auto text = readWholeFile(report);
            if (!text.empty() && (!text.starts_with("[S]\r\nE=") || !text.ends_with("\r\n"))) {
                ++torn;
            }
        }
    });
    for (int i = 0; i < 300; ++i) {
        ASSERT_TRUE(
            putProfileEntry("S", "E", std::string(static_cast<std::size_t>(i % 200), 'v'), report.c_str())
                .ok());
    }
    done = true;
    reader.join();
    EXPECT_EQ(torn, 0);
}

TEST_F(ProfileWriter, StaleTemporariesOfTheReportAreRemoved) {
    const auto stale = folder / ".KELDWICK.INI.abcdefgh.tmp";
    const auto fresh = folder / ".KELDWICK.INI.ijklmnop.tmp";
    const auto foreign = folder / ".OTHER.INI.abcdefgh.tmp";
    for (const auto& path : {stale, fresh, foreign}) {
        writeWholeFile(path, "x");
    }
    const auto old = fs::file_time_type::clock::now() - std::chrono::minutes(5);
    fs::last_write_time(stale, old);
    fs::last_write_time(foreign, old);
    TemporaryFile::removeStale(report);
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(fresh)) << "a writer may still own it";
    EXPECT_TRUE(fs::exists(foreign));
}

// The sweep once removed a person's ".KELDWICK.INI.mynotes.tmp".
TEST_F(ProfileWriter, SweepRemovesOnlyNamesOfTheShapeThePublisherMakes) {
    const std::vector<std::string> theirs = {".KELDWICK.INI.mynotes.tmp",      ".KELDWICK.INI.my-notes.tmp",
                                             ".KELDWICK.INI.ABCDEFGH.tmp",     ".KELDWICK.INI.abcdefghi.tmp",
                                             ".KELDWICK.INI.abcdefgh.tmp.tmp", ".KELDWICK.INI..tmp"};
    for (const auto& name : theirs) {
        writeWholeFile(folder / name, "notes");
        fs::last_write_time(folder / name, fs::file_time_type::clock::now() - std::chrono::hours(1));
    }
    TemporaryFile::removeStale(report);
    for (const auto& name : theirs) {
        EXPECT_TRUE(fs::exists(folder / name)) << name;
    }
}

}  // namespace
}  // namespace rt
