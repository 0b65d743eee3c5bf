#include "platform/report/ProfileWriter.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "platform/report/ProfileBatch.h"
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

// The error a put ended with; none for a put that succeeded.
std::error_code failureOf(const rt::Result<void, std::error_code>& put) {
    return put ? std::error_code{} : put.error();
}

class ProfileWriter : public ::testing::Test {
  protected:
    // Puts the entries into a report of their own and publishes it, as a check does.
    rt::Result<void, PublishError> publish(
        std::string_view section,
        std::initializer_list<std::pair<std::string_view, std::string_view>> entries) {
        ProfileBatch batch;
        batch.open(report);
        for (const auto& [entry, value] : entries) {
            EXPECT_TRUE(putProfileEntry(section, entry, value, report.c_str()).ok());
        }
        return batch.publish(InPlace::Refused);
    }

    TempFolder folder;
    std::string report = (folder / "KELDWICK.INI").string();
};

TEST_F(ProfileWriter, CreatesTheFileAndLeavesNothingElse) {
    ASSERT_TRUE(publish("VREDIR.VXD", {{"ISWIN95", "YES"}, {"VERSION", "4.00.1116"}}));
    EXPECT_EQ(readWholeFile(report), "[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=4.00.1116\r\n");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"KELDWICK.INI"});
}

TEST_F(ProfileWriter, NewFileHasTheUsualCreationMode) {
    const auto mask = ::umask(022);
    ASSERT_TRUE(publish("S", {{"E", "V"}}));
    ::umask(mask);
    EXPECT_EQ(fs::status(report).permissions(), fs::perms::owner_read | fs::perms::owner_write |
                                                    fs::perms::group_read | fs::perms::others_read);
}

TEST_F(ProfileWriter, ReplacesAPlantedLinkWithoutWritingThroughIt) {
    const auto target = folder / "target.txt";
    writeWholeFile(target, "secret\n");
    fs::create_symlink(target, report);
    ASSERT_TRUE(publish("S", {{"E", "V"}}));
    EXPECT_FALSE(fs::is_symlink(report));
    EXPECT_EQ(readWholeFile(report), "[S]\r\nE=V\r\n")
        << "the link target's text must not leak into the report";
    EXPECT_EQ(readWholeFile(target), "secret\n");
}

TEST_F(ProfileWriter, DanglingLinkDoesNotCreateItsTarget) {
    const auto target = folder / "elsewhere.txt";
    fs::create_symlink(target, report);
    ASSERT_TRUE(publish("S", {{"E", "V"}}));
    EXPECT_FALSE(fs::exists(target));
    EXPECT_EQ(readWholeFile(report), "[S]\r\nE=V\r\n");
}

TEST_F(ProfileWriter, RefusesADirectoryAndLeavesItStanding) {
    fs::create_directory(report);
    EXPECT_FALSE(publish("S", {{"E", "V"}}));
    EXPECT_TRUE(fs::is_directory(report));
    EXPECT_EQ(folder.names(), std::vector<std::string>{"KELDWICK.INI"});
}

// A report is never read, so a FIFO at its path cannot hold the check up: the
// new report takes its place.
TEST_F(ProfileWriter, FifoAtThePathDoesNotBlockTheReport) {
    ASSERT_EQ(::mkfifo(report.c_str(), 0644), 0);
    ASSERT_TRUE(publish("S", {{"E", "V"}}));
    EXPECT_EQ(readWholeFile(report), "[S]\r\nE=V\r\n");
}

TEST_F(ProfileWriter, MissingFolderFailsCleanly) {
    report = (folder / "missing" / "KELDWICK.INI").string();
    EXPECT_FALSE(publish("S", {{"E", "V"}}));
    EXPECT_TRUE(folder.names().empty());
}

TEST_F(ProfileWriter, RefusesEmptyNames) {
    ProfileBatch batch;
    batch.open(report);
    EXPECT_EQ(failureOf(putProfileEntry("", "E", "V", report.c_str())), std::errc::invalid_argument);
    EXPECT_EQ(failureOf(putProfileEntry("S", "", "V", report.c_str())), std::errc::invalid_argument);
    EXPECT_FALSE(fs::exists(report));
}

// Entries reach a file only as part of a check's whole report.
TEST_F(ProfileWriter, PutWithoutAnOpenReportIsRefusedAndWritesNothing) {
    EXPECT_EQ(failureOf(putProfileEntry("S", "E", "V", report.c_str())), std::errc::bad_file_descriptor);
    ProfileBatch batch;
    batch.open((folder / "OTHER.INI").string());
    EXPECT_EQ(failureOf(putProfileEntry("S", "E", "V", report.c_str())), std::errc::bad_file_descriptor);
    EXPECT_TRUE(folder.names().empty());
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
        ASSERT_TRUE(publish("S", {{"E", std::string(static_cast<std::size_t>(i % 200), 'v')}}));
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
