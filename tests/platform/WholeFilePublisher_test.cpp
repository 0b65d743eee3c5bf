// What the publisher promises after a failure, and the temporary files it owns.
#include "platform/report/WholeFilePublisher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/base/Paths.h"
#include "platform/filesystem/FileSystem.h"
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

constexpr std::string_view kOld = "[VREDIR.VXD]\r\nISWIN95=NO\r\n";
constexpr std::string_view kNew = "[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=4.00.1116\r\n";

std::size_t filesIn(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// The error a publish ended with; none for one that succeeded.
std::error_code failureOf(const rt::Result<Published, std::error_code>& published) {
    return published ? std::error_code{} : published.error();
}

class WholeFilePublisher : public ::testing::Test {
  protected:
    TempFolder folder;
    std::string report = (folder / "KELDWICK.INI").string();
};

// The folder flush comes after the rename: when it fails, the new text is
// published all the same, and the answer says it was not flushed.
TEST_F(WholeFilePublisher, FailedFolderFlushAfterTheRenameStillPublishes) {
    writeWholeFile(report, std::string(kOld));
    int lastCall = 0;
    {
        FaultyFileSystem counting;
        ScopedFileSystem installed(counting);
        ASSERT_TRUE(publishWholeFile(report.c_str(), kOld).ok());
        lastCall = counting.calls();
    }
    FaultyFileSystem faulty;
    faulty.failCall(lastCall, FaultyFileSystem::Mode::Once);
    ScopedFileSystem installed(faulty);
    const auto published = publishWholeFile(report.c_str(), kNew);
    ASSERT_TRUE(published.ok());
    EXPECT_EQ(published->notFlushed, std::errc::io_error);
    EXPECT_EQ(readWholeFile(report), kNew);
    EXPECT_EQ(filesIn(folder.path()), 1u) << "no temporary file is left";
}

// Every file-system call of a publish, failed in turn, once and for good: a
// publish that reports success published the new text; one that reports
// failure left the old bytes as they were. A single failure leaves no temporary
// file; when the file system keeps failing, even the clean-up may, and at most
// one temporary file stays for a later run to remove.
TEST_F(WholeFilePublisher, FailureAtAnyCallLeavesOldFileOrPublishesNewOne) {
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
                result = failureOf(publishWholeFile(report.c_str(), after));
            }
            const auto text = readWholeFile(report);
            SCOPED_TRACE("failing call " + std::to_string(n) +
                         (mode == FaultyFileSystem::Mode::Once ? " once" : " for good"));
            EXPECT_EQ(text, result ? before : after);
            auto names = folder.names();
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

// The check no longer sweeps before it writes: the publisher does.
TEST_F(WholeFilePublisher, SweepsStaleTemporariesOfTheFileItself) {
    const auto stale = folder / "~KWABCDE.TMP";
    writeWholeFile(stale, std::string(kOld));
    fs::last_write_time(stale, fs::file_time_type::clock::now() - std::chrono::minutes(5));
    ASSERT_TRUE(publishWholeFile(report.c_str(), kNew).ok());
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_EQ(readWholeFile(report), kNew);
}

TEST(TemporaryFile, IsRemovedUnlessKept) {
    TempFolder folder;
    const auto target = (folder / "KELDWICK.INI").string();
    std::string path;
    {
        auto temporary = TemporaryFile::createBeside(target);
        ASSERT_TRUE(temporary.ok());
        path = temporary->path();
        EXPECT_TRUE(fs::exists(path));
    }
    EXPECT_FALSE(fs::exists(path)) << "dropped without keep";
    {
        auto temporary = TemporaryFile::createBeside(target);
        ASSERT_TRUE(temporary.ok());
        ASSERT_TRUE(temporary->keep(target.c_str()).ok());
    }
    EXPECT_TRUE(fs::exists(target)) << "kept in the target's place";
    EXPECT_EQ(filesIn(folder.path()), 1u);
}

// Its name is no longer than the report's, so it fits wherever the report's
// path does: a folder whose report path just fits still gets a report.
TEST(TemporaryFile, FitsWhereverTheTargetsPathFits) {
    TempFolder folder;
    auto deep = folder.path();
    const auto report = std::string("KELDWICK.INI");
    while (deep.string().size() + 1 + report.size() < kMaxPath - 1) {
        const auto room = kMaxPath - 1 - (deep.string().size() + 1 + report.size()) - 1;
        deep /= std::string(std::min<std::size_t>(room == 0 ? 1 : room, 200), 'd');
    }
    ASSERT_TRUE(fs::create_directories(deep));
    const auto target = (deep / report).string();
    ASSERT_EQ(target.size(), kMaxPath - 1);
    ASSERT_TRUE(publishWholeFile(target.c_str(), kNew).ok());
    EXPECT_EQ(readWholeFile(target), kNew);
}

// A temporary is removed through the file system that made it, even when
// another one is installed by the time it goes.
TEST(TemporaryFile, GoesThroughTheFileSystemThatCreatedIt) {
    TempFolder folder;
    const auto target = (folder / "KELDWICK.INI").string();
    FaultyFileSystem creator;
    auto temporary = [&] {
        ScopedFileSystem installed(creator);
        return TemporaryFile::createBeside(target);
    }();
    ASSERT_TRUE(temporary.ok());
    const auto path = temporary->path();
    creator.failCall(1, FaultyFileSystem::Mode::Persistent);
    EXPECT_FALSE(temporary->discard().ok());
    EXPECT_TRUE(fs::exists(path)) << "the creator's failing removal was the one tried";
    fs::remove(path);
}

}  // namespace
}  // namespace rt
