#include "check/CheckRun.h"

#include <gtest/gtest.h>

#include "CheckFixture.h"
#include "platform/base/Paths.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/ReportReading.h"
#include "tests/support/Unprivileged.h"

namespace keldwick::test {
namespace {

namespace fs = std::filesystem;
using rt::test::FaultyFileSystem;
using rt::test::writeWholeFile;

constexpr const char* kYesOnly = "[VREDIR.VXD]\r\nISWIN95=YES\r\n";

class CheckRun : public CheckFixture {};

TEST_F(CheckRun, RequiredBuildOnTheFamilyIsOk) {
    putDriver(systemDir(), "4.00.1116");
    const auto r = runCheck();
    EXPECT_EQ(r.isWin95, "YES");
    EXPECT_EQ(r.driverVersion, "4.00.1116");
    EXPECT_EQ(r.recommend, "OK");
    EXPECT_EQ(reportText(), "[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=4.00.1116\r\n");
}

TEST_F(CheckRun, AnyOtherBuildAsksForAnUpgrade) {
    for (const auto* version : {"4.00.1115", "4.00.1117", "4.0.1116", "4.00.1116a"}) {
        putDriver(systemDir(), version);
        const auto r = runCheck();
        EXPECT_EQ(r.driverVersion, version);
        EXPECT_EQ(r.recommend, "UPGRADE") << version;
    }
}

TEST_F(CheckRun, OtherPlatformWithDriverIsNot95) {
    services.platformId = 2;
    putDriver(windowsDir(), "4.00.1116");
    const auto r = runCheck();
    EXPECT_EQ(r.isWin95, "NO");
    EXPECT_EQ(r.recommend, "NOT95");
    EXPECT_EQ(reportText(), "[VREDIR.VXD]\r\nISWIN95=NO\r\nVERSION=4.00.1116\r\n");
}

TEST_F(CheckRun, MissingDriverIsUnknownBeforeThePlatformCounts) {
    services.platformId = 2;
    EXPECT_EQ(runCheck().recommend, "UNKNOWN");
    services.platformId = 1;
    const auto r = runCheck();
    EXPECT_EQ(r.isWin95, "YES");
    EXPECT_EQ(r.driverVersion, "UNKNOWN");
    EXPECT_EQ(r.recommend, "UNKNOWN");
    EXPECT_EQ(reportText(), kYesOnly);
}

TEST_F(CheckRun, FailedVersionRequestMeansNotTheFamily) {
    services.versionRequestFails = true;
    EXPECT_EQ(runCheck().isWin95, "NO");
}

TEST_F(CheckRun, StaleReportIsGoneAfterARunThatCannotReadTheDriver) {
    writeWholeFile(report(), "[Other]\r\nA=1\r\n[VREDIR.VXD]\r\nISWIN95=NO\r\nVERSION=4.00.1116\r\n");
    runCheck();
    EXPECT_EQ(reportText(), kYesOnly);
}

TEST_F(CheckRun, ReportFolderNamedLikeTheReportSurvives) {
    fs::create_directory(report());
    const auto r = runCheck();
    EXPECT_EQ(r.recommend, "UNKNOWN");
    EXPECT_TRUE(fs::is_directory(report()));
}

TEST_F(CheckRun, ReportPathJoinsDirectoryAndNameWithOneSeparator) {
    runCheck();
    EXPECT_EQ(ReportPath.view(), cwd().string() + "/KELDWICK.INI");
    services.cwd = cwd().string() + "/";
    runCheck();
    EXPECT_EQ(ReportPath.view(), cwd().string() + "/KELDWICK.INI");
}

TEST_F(CheckRun, RootDirectoryIsFollowedDirectlyByTheNames) {
    rt::test::FaultyFileSystem nothingWritable;
    nothingWritable.denyAll();
    rt::ScopedFileSystem installed(nothingWritable);
    services.cwd = "/";
    const auto r = runCheck();
    EXPECT_EQ(ReportPath.view(), "/KELDWICK.INI");
    EXPECT_EQ(r.isWin95, "YES");
    const auto touched = nothingWritable.touchedPaths();
    EXPECT_NE(std::find(touched.begin(), touched.end(), "/VREDIR.VXD"), touched.end());
}

TEST_F(CheckRun, UnreadableCurrentDirectoryWritesNoReportButFillsAllFields) {
    putDriver(systemDir(), "4.00.1116");
    services.cwd = "";
    rt::test::FaultyFileSystem recorder;
    rt::ScopedFileSystem installed(recorder);
    const auto r = runCheck();
    EXPECT_TRUE(ReportPath.isBlank());
    EXPECT_EQ(r.isWin95, "YES");
    EXPECT_EQ(r.driverVersion, "4.00.1116");
    EXPECT_EQ(r.recommend, "OK");
    for (const auto& path : recorder.touchedPaths()) {
        EXPECT_NE(path, "/KELDWICK.INI");
        EXPECT_NE(path, "/VREDIR.VXD") << "the search must skip a directory it could not read";
    }
}

// A path cut to fit would name another file, which the reset would delete.
TEST_F(CheckRun, DirectoryTooLongForAWholeReportPathIsNeverCut) {
    const std::string longDir = "/" + std::string(rt::kMaxPath - 10, 'd');
    services.cwd = longDir;
    rt::test::FaultyFileSystem recorder;
    rt::ScopedFileSystem installed(recorder);
    const auto r = runCheck();
    EXPECT_TRUE(ReportPath.isBlank());
    EXPECT_EQ(r.recommend, "UNKNOWN");
    for (const auto& path : recorder.touchedPaths()) {
        EXPECT_FALSE(path.starts_with(longDir)) << path;
    }
}

TEST_F(CheckRun, DeepDirectoryGetsItsReportWhole) {
    auto deep = cwd();
    while (deep.string().size() < 300) {
        deep /= "a-rather-long-folder-name";
    }
    fs::create_directories(deep);
    services.cwd = deep.string();
    runCheck();
    EXPECT_EQ(rt::test::readWholeFile(deep / "KELDWICK.INI"), kYesOnly);
}

TEST_F(CheckRun, TrailingSpaceIsPartOfTheDirectoryName) {
    const auto spaced = m_root.path() / "reports ";
    const auto plain = m_root.path() / "reports";
    fs::create_directory(spaced);
    fs::create_directory(plain);
    writeWholeFile(plain / "KELDWICK.INI", "keep");
    services.cwd = spaced.string();
    runCheck();
    EXPECT_EQ(rt::test::readWholeFile(spaced / "KELDWICK.INI"), kYesOnly);
    EXPECT_EQ(rt::test::readWholeFile(plain / "KELDWICK.INI"), "keep");
}

TEST_F(CheckRun, NonAsciiDirectoryNamesAreKeptAsBytes) {
    const auto odd = m_root.path() / "\xff\xfe\x80-caf\xc3\xa9";
    fs::create_directory(odd);
    services.cwd = odd.string();
    putDriver(odd, "4.00.1116");
    EXPECT_EQ(runCheck().recommend, "OK");
    EXPECT_TRUE(fs::exists(odd / "KELDWICK.INI"));
}

// A fault anywhere in a check once left ISWIN95 without VERSION, which a
// reader takes for "no driver". The report now matches this run's fields, or
// it is the old one or none, and then standard error names the file.
TEST_F(CheckRun, FaultAtAnyCallLeavesTheOldReportNoneOrOneThatMatchesTheFields) {
    const std::string old = "[VREDIR.VXD]\r\nISWIN95=NO\r\nVERSION=4.00.950\r\n";
    putDriver(systemDir(), "4.00.1116");
    for (const auto mode : {FaultyFileSystem::Mode::Once, FaultyFileSystem::Mode::Persistent}) {
        for (int n = 1;; ++n) {
            writeWholeFile(report(), old);
            FaultyFileSystem faulty;
            faulty.failCall(n, mode, std::errc::no_space_on_device);
            Results r;
            ::testing::internal::CaptureStderr();
            {
                rt::ScopedFileSystem installed(faulty);
                r = runCheck();
            }
            const auto said = ::testing::internal::GetCapturedStderr();
            SCOPED_TRACE("failing call " + std::to_string(n));
            std::string matching = "[VREDIR.VXD]\r\nISWIN95=" + r.isWin95 + "\r\n";
            if (r.driverVersion != "UNKNOWN") {
                matching += "VERSION=" + r.driverVersion + "\r\n";
            }
            const auto text = reportText();
            EXPECT_EQ(said.find("cannot write") == std::string::npos, r.notWritten.empty()) << said;
            if (!rt::test::readsAs(text, matching)) {
                EXPECT_TRUE(rt::test::readsAs(text, old) || text == "<no report>") << text;
                EXPECT_NE(said.find("cannot write the report " + report().string() + ": "), std::string::npos)
                    << said;
            }
            if (!faulty.failedAny()) {
                break;
            }
            ASSERT_LT(n, 100);
        }
    }
}

TEST_F(CheckRun, ReportThatCanNeitherBeWrittenNorRemovedIsToldToBeOutOfDate) {
    writeWholeFile(report(), "[VREDIR.VXD]\r\nISWIN95=NO\r\n");
    FaultyFileSystem full;
    full.failCall(2, FaultyFileSystem::Mode::Persistent, std::errc::no_space_on_device);
    ::testing::internal::CaptureStderr();
    {
        rt::ScopedFileSystem installed(full);
        const auto r = runCheck();
        EXPECT_EQ(r.isWin95, "YES");
        EXPECT_EQ(r.notWritten, std::make_error_code(std::errc::no_space_on_device).message() +
                                    "; the old report could not be removed and is out of date");
    }
    const auto said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(said, "keldwick: cannot write the report " + report().string() + ": " +
                        std::make_error_code(std::errc::no_space_on_device).message() +
                        "; the old report could not be removed and is out of date\n");
}

// No full path names the report, but its bare name in the current folder
// still does: the old report must not pass for this run's.
TEST_F(CheckRun, ReportPathThatCannotBeBuiltIsToldAndTheOldReportIsGone) {
    const auto saved = fs::current_path();
    fs::current_path(cwd());
    const std::string tooLong = "/" + std::string(rt::kMaxPath - 10, 'd');
    const std::string said[] = {
        "keldwick: cannot write the report KELDWICK.INI: the current folder cannot be read\n",
        "keldwick: cannot write the report " + tooLong + "/KELDWICK.INI: the path is longer than " +
            std::to_string(rt::kMaxPath - 1) + " characters\n"};
    for (const auto& [directory, line] : {std::pair{std::string(), said[0]}, std::pair{tooLong, said[1]}}) {
        writeWholeFile(report(), kYesOnly);
        services.cwd = directory;
        ::testing::internal::CaptureStderr();
        const auto r = runCheck();
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), line);
        EXPECT_EQ("keldwick: cannot write the report " +
                      std::string(directory.empty() ? "KELDWICK.INI" : tooLong + "/KELDWICK.INI") + ": " +
                      r.notWritten + "\n",
                  line);
        EXPECT_FALSE(fs::exists(report()));
    }
    fs::current_path(saved);
}

// On Linux "keldwick.ini" is another file, which a person may own; the report
// is always the name in capitals.
TEST_F(CheckRun, ReportNameKeepsItsLetterCase) {
    writeWholeFile(cwd() / "keldwick.ini", "mine");
    runCheck();
    EXPECT_EQ(rt::test::readWholeFile(cwd() / "keldwick.ini"), "mine");
    EXPECT_EQ(reportText(), kYesOnly);
}

// A folder that takes no new file, with a report the user may still write:
// left alone, its stale text would stand as this run's.
TEST_F(CheckRun, WritableReportInAFolderThatTakesNoNewFileIsRewrittenInPlace) {
    writeWholeFile(report(), "[VREDIR.VXD]\r\nISWIN95=NO\r\nVERSION=4.00.950\r\n");
    fs::permissions(report(), fs::perms::all);
    fs::permissions(m_root.path(), fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(cwd(), fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    putDriver(systemDir(), "4.00.1116");
    const auto verdict = rt::test::runUnprivileged([&] { return runCheck().recommend == "OK"; });
    if (!verdict) {
        GTEST_SKIP() << "cannot drop privileges here";
    }
    EXPECT_TRUE(*verdict);
    EXPECT_TRUE(rt::test::readsAs(reportText(), "[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=4.00.1116\r\n"))
        << reportText();
}

// A read-only folder whose report may be written, and a write that fails
// there: the old report stays whole and the message names the write's own
// failure. It once left an empty report and blamed the folder's permission.
TEST_F(CheckRun, FailedRewriteInPlaceKeepsTheOldReportAndNamesItsCause) {
    const std::string old = "[VREDIR.VXD]\r\nISWIN95=NO\r\nVERSION=4.00.950\r\n";
    writeWholeFile(report(), old);
    putDriver(systemDir(), "4.00.1116");
    FaultyFileSystem readOnlyFolder;
    readOnlyFolder.asReadOnlyFolder();
    readOnlyFolder.failFirstWrite(std::errc::no_space_on_device);
    ::testing::internal::CaptureStderr();
    {
        rt::ScopedFileSystem installed(readOnlyFolder);
        EXPECT_EQ(runCheck().notWritten, std::make_error_code(std::errc::no_space_on_device).message() +
                                             "; the old report could not be removed and is out of date");
    }
    const auto said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find(": No space left on device; the old report"), std::string::npos) << said;
    EXPECT_TRUE(rt::test::readsAs(reportText(), old)) << reportText();
}

TEST_F(CheckRun, ReadOnlyCurrentDirectoryGetsNoReportButAllFields) {
    putDriver(systemDir(), "4.00.1116");
    fs::permissions(m_root.path(), fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(cwd(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                               fs::perms::others_exec);
    const auto verdict = rt::test::runUnprivileged([&] {
        const auto r = runCheck();
        return r.isWin95 == "YES" && r.driverVersion == "4.00.1116" && r.recommend == "OK";
    });
    if (!verdict) {
        GTEST_SKIP() << "cannot drop privileges here";
    }
    EXPECT_TRUE(*verdict);
    EXPECT_TRUE(fs::is_empty(cwd()));
}

}  // namespace
}  // namespace keldwick::test
