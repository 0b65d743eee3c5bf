#include "platform/version/VersionFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <future>

#include "CountingFileSystem.h"
#include "VersionTestSupport.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Unprivileged.h"

namespace rt::version::test {
namespace {

using rt::test::TempFolder;

void writeFile(const std::filesystem::path& path, const Bytes& bytes) {
    rt::test::writeWholeFile(path, std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

Bytes leDriver() {
    return fixtures::leFile(ansiDriverBlock("4.00.1116")).bytes;
}

Error loadRejection(const std::string& path) {
    const auto info = loadVersionInfo(path.c_str());
    EXPECT_FALSE(info);
    return info ? Error{} : info.error();
}

class VersionFileTest : public ::testing::Test {
  protected:
    TempFolder m_folder;
};

TEST_F(VersionFileTest, ReadsARegularFile) {
    writeFile(m_folder / "VREDIR.VXD", leDriver());
    const auto info = loadVersionInfo((m_folder / "VREDIR.VXD").c_str());
    ASSERT_TRUE(info) << info.error().reason;
    EXPECT_EQ(info->located.format, ExecutableFormat::Le);
}

TEST_F(VersionFileTest, FollowsASymbolicLinkToARegularFile) {
    writeFile(m_folder / "real.vxd", leDriver());
    std::filesystem::create_symlink(m_folder / "real.vxd", m_folder / "VREDIR.VXD");
    EXPECT_TRUE(loadVersionInfo((m_folder / "VREDIR.VXD").c_str()));
}

TEST_F(VersionFileTest, RefusesAMissingFile) {
    EXPECT_EQ(loadRejection((m_folder / "VREDIR.VXD").string()).failure, Failure::OpenFailed);
}

TEST_F(VersionFileTest, RefusesADanglingLink) {
    std::filesystem::create_symlink(m_folder / "gone.vxd", m_folder / "VREDIR.VXD");
    EXPECT_EQ(loadRejection((m_folder / "VREDIR.VXD").string()).failure, Failure::OpenFailed);
}

TEST_F(VersionFileTest, RefusesADirectory) {
    std::filesystem::create_directory(m_folder / "VREDIR.VXD");
    const auto error = loadRejection((m_folder / "VREDIR.VXD").string());
    EXPECT_EQ(error.failure, Failure::OpenFailed);
    EXPECT_EQ(error.reason, "not a regular file");
}

TEST_F(VersionFileTest, RefusesAFifoWithoutWaitingForAWriter) {
    const auto fifo = (m_folder / "VREDIR.VXD").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    auto pending = std::async(std::launch::async, [&] { return loadRejection(fifo); });
    if (pending.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        // Release the reader so that the test ends instead of hanging.
        const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0) {
            ::close(writer);
        }
        FAIL() << "opening a FIFO blocked";
    }
    EXPECT_EQ(pending.get().reason, "not a regular file");
}

TEST_F(VersionFileTest, RefusesAFileItMayNotReadAsAnUnprivilegedUser) {
    // The folder must be searchable by everyone, so that only the file's own permissions refuse.
    std::filesystem::permissions(m_folder.path(), std::filesystem::perms::all);
    const auto readable = (m_folder / "readable.vxd").string();
    const auto unreadable = (m_folder / "VREDIR.VXD").string();
    writeFile(readable, leDriver());
    writeFile(unreadable, leDriver());
    std::filesystem::permissions(readable, std::filesystem::perms::owner_read |
                                               std::filesystem::perms::group_read |
                                               std::filesystem::perms::others_read);
    std::filesystem::permissions(unreadable, std::filesystem::perms::none);
    const auto verdict = rt::test::runUnprivileged([&] {
        const auto denied = loadVersionInfo(unreadable.c_str());
        return loadVersionInfo(readable.c_str()).ok() && !denied &&
               denied.error().failure == Failure::OpenFailed;
    });
    if (!verdict) {
        GTEST_SKIP() << "cannot drop privileges here, so no file is unreadable";
    }
    EXPECT_TRUE(*verdict);
}

TEST_F(VersionFileTest, ReadsOnlyTheHeadersAndTheBlockOfAHugeSparseFile) {
    // 3 GiB of which only the header and the resource at the end hold data.
    constexpr std::uint64_t kSize = 3ull << 30;
    auto fixture = fixtures::leFile(ansiDriverBlock("4.00.1116"));
    const auto resource = fixture.at("res.type_marker");
    const Bytes record(fixture.bytes.begin() + static_cast<long>(resource), fixture.bytes.end());
    const auto recordOffset = kSize - record.size();
    fixture.putU32("le.winresoff", static_cast<std::uint32_t>(recordOffset));
    const auto path = (m_folder / "VREDIR.VXD").string();
    {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        const bool written =
            ::pwrite(fd, fixture.bytes.data(), resource, 0) == static_cast<ssize_t>(resource) &&
            ::pwrite(fd, record.data(), record.size(), static_cast<off_t>(recordOffset)) ==
                static_cast<ssize_t>(record.size());
        ::close(fd);
        ASSERT_TRUE(written);
    }
    CountingFileSystem counting;
    const rt::ScopedFileSystem installed(counting);
    const auto info = loadVersionInfo(path.c_str());
    ASSERT_TRUE(info) << info.error().reason;
    EXPECT_EQ(info->located.location.offset, recordOffset + 12);
    EXPECT_LE(counting.bytesRead(), 3 * VersionFile::kWindowSize);
    EXPECT_LE(counting.reads(), 3);
}

TEST_F(VersionFileTest, ReadsAFewWindowsOfAPeFile) {
    const auto path = (m_folder / "VREDIR.VXD").string();
    writeFile(path, fixtures::peFile(unicodeDriverBlock("4.00.1116")).bytes);
    CountingFileSystem counting;
    const rt::ScopedFileSystem installed(counting);
    ASSERT_TRUE(loadVersionInfo(path.c_str()));
    EXPECT_LE(counting.reads(), 2);
}

TEST_F(VersionFileTest, ReportsAFileThatShrankAfterItWasOpened) {
    const auto path = (m_folder / "VREDIR.VXD").string();
    const auto bytes = leDriver();
    writeFile(path, bytes);
    CountingFileSystem counting;
    counting.endFileAt(bytes.size() - 100);
    const rt::ScopedFileSystem installed(counting);
    EXPECT_EQ(loadRejection(path).failure, Failure::ReadFailed);
}

TEST_F(VersionFileTest, ReportsAFailedStatus) {
    const auto path = (m_folder / "VREDIR.VXD").string();
    writeFile(path, leDriver());
    rt::test::FaultyFileSystem faulty;
    faulty.failCall(2, rt::test::FaultyFileSystem::Mode::Once);
    const rt::ScopedFileSystem installed(faulty);
    EXPECT_EQ(loadRejection(path).failure, Failure::OpenFailed);
}

TEST_F(VersionFileTest, ReportsAFailedRead) {
    // Code between the header and the resource puts them in two windows: two reads.
    fixtures::LeOptions options;
    options.codeBytes = 3 * VersionFile::kWindowSize;
    const auto path = (m_folder / "VREDIR.VXD").string();
    writeFile(path, fixtures::leFile(ansiDriverBlock("4.00.1116"), options).bytes);
    for (int call = 3; call <= 4; ++call) {
        rt::test::FaultyFileSystem faulty;
        faulty.failCall(call, rt::test::FaultyFileSystem::Mode::Once);
        const rt::ScopedFileSystem installed(faulty);
        const auto error = loadRejection(path);
        EXPECT_EQ(error.failure, Failure::ReadFailed) << "call " << call;
        EXPECT_NE(error.reason.find("failed"), std::string::npos) << error.reason;
    }
}

}  // namespace
}  // namespace rt::version::test
