// The machine's own services as the check and the report writer use them.
#include <gtest/gtest.h>

#include <atomic>

#include "WindowsTestSupport.h"
#include "platform/filesystem/FileSystem.h"
#include "platform/report/FolderLock.h"
#include "platform/report/ProfileBatch.h"
#include "platform/report/ProfileWriter.h"
#include "platform/system/SystemServices.h"
#include "platform/system/WinApi.h"
#include "platform/threads/NativeThread.h"
#include "platform/win32/Win32FolderMutex.h"

namespace {

using rt::win32::test::TempFolder;

// A report of its own with these entries in turn, published as a check publishes one.
bool writeReport(const std::string& path,
                 std::initializer_list<std::pair<std::string_view, std::string_view>> entries) {
    rt::ProfileBatch batch;
    batch.open(path);
    for (const auto& [entry, value] : entries) {
        if (!rt::putProfileEntry("VREDIR.VXD", entry, value, path.c_str())) {
            return false;
        }
    }
    return batch.publish(rt::InPlace::Refused).ok();
}

TEST(Win32Services, DirectoriesAreAbsoluteAndUncut) {
    auto& services = rt::systemServices();
    const auto current = services.currentDirectory();
    ASSERT_GE(current.size(), 3u);
    EXPECT_EQ(current[1], ':');
    char system[MAX_PATH] = {};
    ASSERT_GT(rt::os::GetSystemDirectoryA(system, sizeof system), 0u);
    EXPECT_EQ(std::string(system), services.systemDirectory());
    char tooSmall[3] = {};
    EXPECT_GT(rt::os::GetWindowsDirectoryA(tooSmall, sizeof tooSmall), sizeof tooSmall)
        << "a buffer that is too small gets the size needed, never a cut path";
}

TEST(Win32Services, PlatformIdIsTheOneThePrefixReports) {
    rt::os::OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_NE(rt::os::GetVersionExA(&info), 0);
    if (rt::win32::test::prefixIsWindows95Family()) {
        EXPECT_EQ(info.dwPlatformId, rt::os::kPlatformWindows95Family);
    } else {
        EXPECT_EQ(info.dwPlatformId, rt::os::kPlatformWindowsNt);
    }
}

TEST(Win32FileSystem, ReplaceTakesThePlaceOfAnExistingFile) {
    TempFolder folder;
    const auto target = folder.file("KELDWICK.INI");
    ASSERT_TRUE(writeReport(target, {{"ISWIN95", "NO"}}));
    ASSERT_TRUE(writeReport(target, {{"ISWIN95", "NO"}, {"VERSION", "4.00.1116"}, {"ISWIN95", "YES"}}));
    EXPECT_EQ(rt::win32::test::readFile(target), "[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=4.00.1116\r\n");
}

TEST(Win32FileSystem, ReplaceLeavesNoTemporaryFileBehind) {
    TempFolder folder;
    const auto target = folder.file("KELDWICK.INI");
    ASSERT_TRUE(writeReport(target, {{"ISWIN95", "YES"}}));
    const auto entries = rt::fileSystem().listFolder(folder.path().c_str(), "");
    ASSERT_TRUE(entries.ok());
    int files = 0;
    for (const auto& entry : entries.value()) {
        files += entry.isRegular ? 1 : 0;
    }
    EXPECT_EQ(files, 1);
}

// The program finds out by itself that it runs on the 95 family, whose
// replacing rename is a stub, and the publisher then takes its two steps.
TEST(Win32FileSystem, The95FamilyHasNoOneStepReplace) {
    TempFolder folder;
    const auto from = folder.file("new");
    const auto to = folder.file("old");
    rt::win32::test::writeFile(from, {std::byte{'n'}});
    rt::win32::test::writeFile(to, {std::byte{'o'}});
    const auto replaced = rt::fileSystem().replace(from.c_str(), to.c_str());
    if (rt::win32::test::prefixIsWindows95Family()) {
        ASSERT_FALSE(replaced.ok());
        EXPECT_EQ(replaced.error(), std::errc::function_not_supported);
        EXPECT_EQ(rt::win32::test::readFile(to), "o");
    } else {
        EXPECT_TRUE(replaced.ok());
        EXPECT_EQ(rt::win32::test::readFile(to), "n");
    }
}

TEST(Win32FileSystem, CreateNewRefusesAnExistingName) {
    TempFolder folder;
    const auto path = folder.file("taken");
    rt::win32::test::writeFile(path, {});
    const auto created = rt::fileSystem().createNew(path.c_str());
    ASSERT_FALSE(created.ok());
    EXPECT_EQ(created.error(), std::errc::file_exists);
}

TEST(Win32FileSystem, MissingFileReadsAsMissing) {
    TempFolder folder;
    const auto opened =
        rt::fileSystem().openForReading(folder.file("none").c_str(), rt::FileSystem::Follow::NoLinks);
    ASSERT_FALSE(opened.ok());
    EXPECT_EQ(opened.error(), std::errc::no_such_file_or_directory);
}

TEST(Win32FileSystem, RemoveNeverTakesAFolder) {
    TempFolder folder;
    const auto inner = folder.file("inner");
    ASSERT_NE(::CreateDirectoryA(inner.c_str(), nullptr), 0);
    EXPECT_FALSE(rt::fileSystem().removeFile(inner.c_str()).ok());
    EXPECT_TRUE(rt::fileSystem().exists(inner.c_str()));
    ::RemoveDirectoryA(inner.c_str());
}

TEST(FolderMutex, SpellingsOfOneFolderShareTheLock) {
    EXPECT_EQ(rt::folderMutexName("C:\\Reports"), rt::folderMutexName("c:/reports\\"));
    EXPECT_NE(rt::folderMutexName("C:\\Reports"), rt::folderMutexName("C:\\Reports2"));
    EXPECT_EQ(rt::folderMutexName("C:\\Reports").find('\\'), std::string::npos)
        << "a backslash would name a namespace";
}

TEST(FolderMutex, HeldLockKeepsAnotherThreadWaitingThenLetsItGoOnUnlocked) {
    TempFolder folder;
    rt::FolderLock held(folder.path());
    ASSERT_TRUE(held.isHeld());
    bool otherHeld = true;
    rt::NativeThread other(
        [&] { otherHeld = rt::FolderLock(folder.path(), std::chrono::milliseconds(200)).isHeld(); }, 0);
    other.join();
    EXPECT_FALSE(otherHeld);
}

TEST(FolderMutex, ReleasedLockCanBeTakenAgain) {
    TempFolder folder;
    { rt::FolderLock first(folder.path()); }
    bool otherHeld = false;
    rt::NativeThread other(
        [&] { otherHeld = rt::FolderLock(folder.path(), std::chrono::milliseconds(200)).isHeld(); }, 0);
    other.join();
    EXPECT_TRUE(otherHeld);
}

TEST(FolderMutex, LockOfADeadHolderPassesOn) {
    TempFolder folder;
    bool held = false;
    rt::NativeThread holder(
        [&] {
            held = rt::tryLockFolderMutex(folder.path().c_str()).ok();
            // Ends without releasing, as a killed run would.
        },
        0);
    holder.join();
    ASSERT_TRUE(held);
    EXPECT_TRUE(rt::FolderLock(folder.path(), std::chrono::milliseconds(500)).isHeld());
}

TEST(NativeThread, SmallStackRequestIsRaisedToTheMinimum) {
    std::atomic<bool> ran{false};
    // Deep enough to overflow the 25000 bytes that the menu asks for.
    rt::NativeThread thread(
        [&] {
            volatile char buffer[200 * 1024];
            buffer[0] = 1;
            buffer[sizeof buffer - 1] = buffer[0];
            ran = true;
        },
        25000);
    ASSERT_TRUE(thread.isStarted());
    thread.join();
    EXPECT_TRUE(ran);
}

}  // namespace
