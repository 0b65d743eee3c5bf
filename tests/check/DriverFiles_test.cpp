#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "CheckFixture.h"
#include "FixtureBuilder.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/Unprivileged.h"
#include "tests/support/Watchdog.h"

namespace keldwick::test {
namespace {

namespace fs = std::filesystem;
namespace fixtures = keldwick::fixtures;

// The check against driver files on disk, read by the program's own reader.
class DriverFiles : public CheckFixture {
  protected:
    DriverFiles() { services.readsRealFiles = true; }

    static void write(const fs::path& path, const fixtures::Bytes& bytes) {
        rt::test::writeWholeFile(path,
                                 std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
    static void writeDriver(const fs::path& directory, const fixtures::Fixture& fixture) {
        write(directory / "VREDIR.VXD", fixture.bytes);
    }
    static fixtures::Bytes block(const std::string& version) {
        return fixtures::encodeAnsi(fixtures::versionTree(fixtures::driverContents(version)));
    }

    rt::test::Watchdog m_watchdog{std::chrono::seconds(30)};
};

TEST_F(DriverFiles, VirtualDeviceDriverInTheCurrentDirectoryWins) {
    writeDriver(cwd(), fixtures::leFile(block("4.00.1111")));
    writeDriver(systemDir(), fixtures::leFile(block("4.00.1116")));
    const auto r = runCheck();
    EXPECT_EQ(r.driverVersion, "4.00.1111");
    EXPECT_EQ(r.recommend, "UPGRADE");
}

TEST_F(DriverFiles, EachExecutableFormatGivesItsVersion) {
    const auto unicode =
        fixtures::encodeUnicode(fixtures::versionTree(fixtures::driverContents("4.00.1116")));
    fixtures::PeOptions wide;
    wide.is64 = true;
    for (const auto& fixture : {fixtures::leFile(block("4.00.1116")), fixtures::neFile(block("4.00.1116")),
                                fixtures::peFile(unicode), fixtures::peFile(unicode, wide)}) {
        writeDriver(systemDir(), fixture);
        EXPECT_EQ(runCheck().recommend, "OK");
        EXPECT_EQ(reportText(), "[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=4.00.1116\r\n");
    }
}

// A block larger than the old fixed 1,000-byte buffer is read whole and right.
TEST_F(DriverFiles, VersionBlockOverAThousandBytesIsReadCorrectly) {
    auto contents = fixtures::driverContents("4.00.1116");
    contents.tables[0].strings.emplace_back("Comments", std::string(1500, 'c'));
    const auto big = fixtures::encodeAnsi(fixtures::versionTree(contents));
    ASSERT_GT(big.size(), 1000u);
    writeDriver(systemDir(), fixtures::leFile(big));
    EXPECT_EQ(runCheck().driverVersion, "4.00.1116");
}

TEST_F(DriverFiles, FifoNamedLikeTheDriverNeitherHangsNorIsRead) {
    ASSERT_EQ(::mkfifo((cwd() / "VREDIR.VXD").c_str(), 0644), 0);
    writeDriver(systemDir(), fixtures::leFile(block("4.00.1116")));
    const auto r = runCheck();
    EXPECT_EQ(r.driverVersion, "UNKNOWN") << "the first directory holding the name decides";
    EXPECT_EQ(reportText(), "[VREDIR.VXD]\r\nISWIN95=YES\r\n");
}

TEST_F(DriverFiles, DirectoryNamedLikeTheDriverIsUnknown) {
    fs::create_directory(cwd() / "VREDIR.VXD");
    EXPECT_EQ(runCheck().driverVersion, "UNKNOWN");
}

TEST_F(DriverFiles, FileThatIsNoExecutableIsUnknown) {
    rt::test::writeWholeFile(cwd() / "VREDIR.VXD", "MZ but nothing more");
    EXPECT_EQ(runCheck().recommend, "UNKNOWN");
}

// A driver that is there but cannot be read is UNKNOWN, and one line says
// which file and why: it was once a silent "no version".
TEST_F(DriverFiles, UnreadableDriverIsUnknownAndSaidOnce) {
    writeDriver(systemDir(), fixtures::leFile(block("4.00.1116")));
    fs::permissions(systemDir() / "VREDIR.VXD", fs::perms::none);
    fs::permissions(m_root.path(), fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(cwd(), fs::perms::all);
    const auto driver = (systemDir() / "VREDIR.VXD").string();
    const auto verdict = rt::test::runUnprivileged([&] {
        ::testing::internal::CaptureStderr();
        const auto r = runCheck();
        return r.driverVersion == "UNKNOWN" && reportText() == "[VREDIR.VXD]\r\nISWIN95=YES\r\n" &&
               ::testing::internal::GetCapturedStderr() ==
                   "keldwick: cannot read " + driver + ": Permission denied\n";
    });
    if (!verdict) {
        GTEST_SKIP() << "cannot drop privileges here";
    }
    EXPECT_TRUE(*verdict);
}

// The existence test or the opening of the driver fails for a reason other
// than its absence: the search stops there, as it cannot tell, and says so.
TEST_F(DriverFiles, DriverThatCannotBeExaminedIsUnknownAndSaid) {
    writeDriver(systemDir(), fixtures::leFile(block("4.00.1116")));
    for (const auto error : {std::errc::io_error, std::errc::permission_denied,
                             std::errc::too_many_files_open, std::errc::not_enough_memory}) {
        rt::test::FaultyFileSystem faulty;
        faulty.failPathsEndingWith("current/VREDIR.VXD", error);
        ::testing::internal::CaptureStderr();
        Results r;
        {
            rt::ScopedFileSystem installed(faulty);
            r = runCheck();
        }
        EXPECT_EQ(r.driverVersion, "UNKNOWN");
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "keldwick: cannot read " +
                                                                (cwd() / "VREDIR.VXD").string() + ": " +
                                                                std::make_error_code(error).message() + "\n");
        EXPECT_EQ(reportText(), "[VREDIR.VXD]\r\nISWIN95=YES\r\n");
    }
}

}  // namespace
}  // namespace keldwick::test
