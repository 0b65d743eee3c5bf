#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>

#include "platform/base/Paths.h"
#include "platform/filesystem/FileSystem.h"
#include "platform/system/Files.h"
#include "platform/system/SystemServices.h"
#include "platform/system/WinApi.h"
#include "tests/support/TempFolder.h"

namespace rt {
namespace {

namespace fs = std::filesystem;
using rt::test::TempFolder;

// Changes the process's current directory for one test and restores it.
class ScopedCurrentDirectory {
  public:
    explicit ScopedCurrentDirectory(const fs::path& path) : m_saved(fs::current_path()) {
        fs::current_path(path);
    }
    ~ScopedCurrentDirectory() { fs::current_path(m_saved); }

  private:
    fs::path m_saved;
};

TEST(NativeServices, ThisMachineIsNotOfTheWindows95Family) {
    rt::os::OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(rt::os::GetVersionExA(&info));
    EXPECT_NE(info.dwPlatformId, rt::os::kPlatformWindows95Family);
    info.dwOSVersionInfoSize = 12;
    EXPECT_FALSE(rt::os::GetVersionExA(&info)) << "a record of the wrong size is refused";
}

TEST(NativeServices, DeletedCurrentDirectoryReadsAsEmpty) {
    TempFolder folder;
    const auto doomed = folder / "doomed";
    fs::create_directory(doomed);
    ScopedCurrentDirectory inside(doomed);
    EXPECT_EQ(currentDirectory(), doomed.string());
    fs::remove(doomed);
    EXPECT_EQ(currentDirectory(), "");
}

// The system answers with the whole directory however long it is; one that
// no path buffer holds is none, never a cut one.
TEST(NativeServices, CurrentDirectoryLongerThanAPathIsNone) {
    TempFolder folder;
    ScopedCurrentDirectory inside(folder.path());
    const std::string step(200, 'd');
    int depth = 0;
    for (auto length = folder.str().size(); length < kMaxPath; length += step.size() + 1, ++depth) {
        ASSERT_EQ(::mkdir(step.c_str(), 0700), 0);
        ASSERT_EQ(::chdir(step.c_str()), 0);
    }
    EXPECT_EQ(currentDirectory(), "");
    for (; depth > 0; --depth) {
        ASSERT_EQ(::chdir(".."), 0);
        ASSERT_EQ(::rmdir(step.c_str()), 0);
    }
}

TEST(NativeServices, WinePrefixStandsInForTheSystemDirectories) {
    TempFolder prefix;
    const char* saved = std::getenv("WINEPREFIX");
    ::setenv("WINEPREFIX", prefix.str().c_str(), 1);
    char buffer[kMaxPath];
    const auto system = prefix.str() + "/drive_c/windows/system32";
    EXPECT_EQ(rt::os::GetSystemDirectoryA(buffer, sizeof buffer), system.size());
    EXPECT_EQ(std::string(buffer), system);
    EXPECT_EQ(rt::os::GetWindowsDirectoryA(buffer, 10), system.size() - 8)
        << "too small: the size needed, NUL included";
    ::unsetenv("WINEPREFIX");
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    if (!home.empty()) {
        ASSERT_GT(rt::os::GetWindowsDirectoryA(buffer, sizeof buffer), 0u);
        EXPECT_EQ(std::string(buffer), home + "/.wine/drive_c/windows");
    }
    if (saved != nullptr) {
        ::setenv("WINEPREFIX", saved, 1);
    }
}

// A WINEPREFIX that names no folder to look in is said, once for each value,
// and stands in for no folder; it was once a silent "no version".
TEST(NativeServices, WinePrefixThatNamesNoFolderIsSaidOnce) {
    TempFolder folder;
    rt::test::writeWholeFile(folder / "file", "x");
    const char* saved = std::getenv("WINEPREFIX");
    const std::pair<std::string, std::string> cases[] = {
        {"", "\"\" is empty"},
        {folder.str() + "/missing", "/missing\" names no folder: No such file or directory"},
        {folder.str() + "/file", "/file\" names something that is not a folder"},
        {"/" + std::string(5000, 'p'), "...\" is too long for the folders below it"},
        {folder.str() + "\nx", "\\x0Ax\" holds a control character"},
        {"prefix", "\"prefix\" is not an absolute path"}};
    for (const auto& [value, fault] : cases) {
        ::setenv("WINEPREFIX", value.c_str(), 1);
        char buffer[kMaxPath];
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(rt::os::GetSystemDirectoryA(buffer, sizeof buffer), 0u) << value;
        EXPECT_EQ(rt::os::GetWindowsDirectoryA(buffer, sizeof buffer), 0u) << value;
        const auto said = ::testing::internal::GetCapturedStderr();
        EXPECT_TRUE(said.starts_with("keldwick: WINEPREFIX \"")) << said;
        EXPECT_NE(said.find(fault + "; the driver is looked for in the current folder only\n"),
                  std::string::npos)
            << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    }
    if (saved != nullptr) {
        ::setenv("WINEPREFIX", saved, 1);
    } else {
        ::unsetenv("WINEPREFIX");
    }
}

TEST(NativeServices, WinePrefixFoldersAreFoundInAnyLetterCase) {
    TempFolder prefix;
    fs::create_directories(prefix / "drive_c/Windows/SYSTEM32");
    const char* saved = std::getenv("WINEPREFIX");
    ::setenv("WINEPREFIX", prefix.str().c_str(), 1);
    char buffer[kMaxPath];
    EXPECT_GT(rt::os::GetSystemDirectoryA(buffer, sizeof buffer), 0u);
    EXPECT_EQ(std::string(buffer), prefix.str() + "/drive_c/Windows/SYSTEM32");
    fs::create_directories(prefix / "drive_c/windows");
    EXPECT_GT(rt::os::GetWindowsDirectoryA(buffer, sizeof buffer), 0u);
    EXPECT_EQ(std::string(buffer), prefix.str() + "/drive_c/windows") << "the exact name wins";
    if (saved != nullptr) {
        ::setenv("WINEPREFIX", saved, 1);
    } else {
        ::unsetenv("WINEPREFIX");
    }
}

// Under a file-size limit a write must fail as on a full disk: SIGXFSZ would
// end the program before it could say that the report was not written.
TEST(NativeServices, FileSizeLimitFailsTheWriteInsteadOfEndingTheProcess) {
    TempFolder folder;
    const auto path = (folder / "KELDWICK.INI").string();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit none{0, 0};
        const auto files = makeNativeFileSystem();
        const std::byte byte{'x'};
        const bool limited = ::setrlimit(RLIMIT_FSIZE, &none) == 0;
        const auto file = files->createNew(path.c_str());
        const auto written = file ? files->writeAt(*file, 0, std::span(&byte, 1)) : file.error();
        const bool failed = limited && file && !written && written.error() == std::errc::file_too_large;
        ::_exit(failed ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(NativeServices, RemoveDeletesFilesButNeverDirectories) {
    TempFolder folder;
    const auto file = folder / "KELDWICK.INI";
    rt::test::writeWholeFile(file, "x");
    EXPECT_EQ(_access(file.c_str(), 0), 0);
    EXPECT_EQ(_remove(file.c_str()), 0);
    EXPECT_EQ(_access(file.c_str(), 0), -1);
    EXPECT_EQ(_remove(file.c_str()), -1) << "a missing file is reported, not an error to act on";
    fs::create_directory(file);
    EXPECT_EQ(_remove(file.c_str()), -1);
    EXPECT_TRUE(fs::is_directory(file));
}

TEST(NativeServices, LinksAndFifosAreRemovedThemselves) {
    TempFolder folder;
    const auto target = folder / "target";
    rt::test::writeWholeFile(target, "keep");
    const auto link = folder / "link";
    fs::create_symlink(target, link);
    EXPECT_EQ(_remove(link.c_str()), 0);
    EXPECT_TRUE(fs::exists(target));
    const auto fifo = folder / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(_remove(fifo.c_str()), 0);
}

}  // namespace
}  // namespace rt
