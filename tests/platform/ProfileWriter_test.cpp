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
    rt::Result<Published, PublishError> publish(
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

// The sweep takes only what a killed writer surely left: our 8.3 shape, old,
// one name, no larger than a report, holding nothing or a whole profile. It
// once removed a person's file of the temporary's shape, and a hard link.
TEST_F(ProfileWriter, SweepRemovesOnlyWhatAKilledWriterSurelyLeft) {
    const std::string text = "[VREDIR.VXD]\r\nISWIN95=YES\r\n";
    const auto aged = [](const fs::path& path) {
        fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::minutes(10));
    };
    const std::vector<std::pair<std::string, std::string>> ours = {
        {"~KW0A1B2.TMP", text}, {"~KWZZZZZ.TMP", ""}, {"~KWPART1.TMP", "[VREDIR.VXD]\r\nISW"}};
    const std::vector<std::pair<std::string, std::string>> theirs = {
        {"~KW12345.TMP", "my notes\r\n"},
        {"~KW12346.TMP", text + "more\r\n"},
        {"~KW12347.TMP", "[VREDIR.VXD]\nA=1\n"},
        {"~KW12348.TMP", text + std::string(5000, ' ')},
        {"~kw12349.TMP", text},
        {"~KW1234.TMP", text},
        {"~KW123456.TMP", text},
        {".KELDWICK.INI.abcdefgh.tmp", text}};
    for (const auto& [name, content] : ours) {
        writeWholeFile(folder / name, content);
        aged(folder / name);
    }
    for (const auto& [name, content] : theirs) {
        writeWholeFile(folder / name, content);
        aged(folder / name);
    }
    writeWholeFile(folder / "mine.ini", text);
    fs::create_hard_link(folder / "mine.ini", folder / "~KWLINK1.TMP");
    fs::create_symlink(folder / "mine.ini", folder / "~KWLINK2.TMP");
    aged(folder / "mine.ini");
    writeWholeFile(folder / "~KWFRESH.TMP", text);

    TemporaryFile::removeStale(report);
    for (const auto& [name, content] : ours) {
        EXPECT_FALSE(fs::exists(folder / name)) << name;
    }
    for (const auto& [name, content] : theirs) {
        EXPECT_EQ(readWholeFile(folder / name), content) << name;
    }
    EXPECT_TRUE(fs::exists(folder / "~KWLINK1.TMP")) << "a second name of someone's file";
    EXPECT_TRUE(fs::is_symlink(folder / "~KWLINK2.TMP"));
    EXPECT_TRUE(fs::exists(folder / "~KWFRESH.TMP")) << "a writer may still own it";
}

}  // namespace
}  // namespace rt
