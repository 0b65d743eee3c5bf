// The built program, run as its own process under the prefix's Windows
// version, with a generated VREDIR.VXD in its current folder. The version
// service of the NT family reads NE and PE files but not LE ones, so the
// driver here is an NE or PE file of that name.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "FixtureBuilder.h"
#include "ProgramRun.h"
#include "WindowsTestSupport.h"
#include "platform/filesystem/FileSystem.h"

namespace {

using rt::win32::test::ProgramRun;
using rt::win32::test::TempFolder;
namespace fixtures = keldwick::fixtures;

constexpr DWORD kRunLimit = 30'000;
constexpr int kIsWin95Display = 2;
constexpr int kVersionDisplay = 4;
constexpr int kRecommendDisplay = 6;

struct DriverFormat {
    const char* name;
    std::function<fixtures::Bytes(const std::string&)> build;
};

const std::array<DriverFormat, 3> kFormats{{
    {"NE",
     [](const std::string& v) {
         return fixtures::neFile(fixtures::encodeAnsi(fixtures::versionTree(fixtures::driverContents(v))))
             .bytes;
     }},
    {"PE32",
     [](const std::string& v) {
         return fixtures::peFile(fixtures::encodeUnicode(fixtures::versionTree(fixtures::driverContents(v))))
             .bytes;
     }},
    {"PE32+",
     [](const std::string& v) {
         fixtures::PeOptions options;
         options.is64 = true;
         return fixtures::peFile(fixtures::encodeUnicode(fixtures::versionTree(fixtures::driverContents(v))),
                                 options)
             .bytes;
     }},
}};

class Program : public ::testing::Test {
  protected:
    static bool of95Family() { return rt::win32::test::prefixIsWindows95Family(); }

    void placeDriver(const DriverFormat& format, const std::string& fileVersion) {
        rt::win32::test::writeFile(m_folder.file("VREDIR.VXD"), format.build(fileVersion));
    }

    std::string runHidden(const std::string& parameters = "HIDE", DWORD status = 0) {
        ProgramRun run(m_folder.path(), parameters);
        EXPECT_TRUE(run.isStarted()) << "KELDWICK_PROGRAM names no program";
        EXPECT_EQ(run.waitForExit(kRunLimit), std::optional<DWORD>(status)) << parameters;
        return rt::win32::test::readFile(m_folder.file("KELDWICK.INI"));
    }

    // The three results as the status window shows them, then the frame is
    // closed as a person would close it.
    std::array<std::string, 3> runShown() {
        ProgramRun run(m_folder.path(), "");
        EXPECT_TRUE(run.isStarted()) << "KELDWICK_PROGRAM names no program";
        HWND frame = run.waitForFrame(kRunLimit);
        EXPECT_NE(frame, nullptr) << "no frame appeared";
        std::array<std::string, 3> shown;
        for (DWORD waited = 0; frame != nullptr && waited < kRunLimit && shown[2].empty(); waited += 50) {
            HWND client = ::FindWindowExA(frame, nullptr, "MDICLIENT", nullptr);
            HWND status = ::FindWindowExA(client, nullptr, "KeldwickWindow", nullptr);
            shown = {rt::win32::test::windowText(::GetDlgItem(status, kIsWin95Display)),
                     rt::win32::test::windowText(::GetDlgItem(status, kVersionDisplay)),
                     rt::win32::test::windowText(::GetDlgItem(status, kRecommendDisplay))};
            ::Sleep(shown[2].empty() ? 50 : 0);
        }
        if (frame != nullptr) {
            ::PostMessageA(frame, WM_CLOSE, 0, 0);
        }
        EXPECT_EQ(run.waitForExit(kRunLimit), std::optional<DWORD>(0))
            << "closing the frame ends the program";
        return shown;
    }

    TempFolder m_folder;
};

TEST_F(Program, HiddenRunOnThe95FamilyReportsTheDriverThatIsThere) {
    if (!of95Family()) {
        GTEST_SKIP() << "runs only in prefixes set to Windows 95, 98 or Me";
    }
    for (const auto& format : kFormats) {
        placeDriver(format, "4.00.1116");
        EXPECT_EQ(runHidden(), "[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=4.00.1116\r\n") << format.name;
    }
}

TEST_F(Program, ShownRunOnThe95FamilyAsksForAnUpgradeOfAnOlderDriver) {
    if (!of95Family()) {
        GTEST_SKIP() << "runs only in prefixes set to Windows 95, 98 or Me";
    }
    placeDriver(kFormats[0], "4.00.1115");
    EXPECT_EQ(runShown(), (std::array<std::string, 3>{"YES", "4.00.1115", "UPGRADE"}));
    EXPECT_EQ(rt::win32::test::readFile(m_folder.file("KELDWICK.INI")),
              "[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=4.00.1115\r\n");
}

TEST_F(Program, ShownRunOnThe95FamilyFindsTheRightDriverOk) {
    if (!of95Family()) {
        GTEST_SKIP() << "runs only in prefixes set to Windows 95, 98 or Me";
    }
    placeDriver(kFormats[1], "4.00.1116");
    EXPECT_EQ(runShown(), (std::array<std::string, 3>{"YES", "4.00.1116", "OK"}));
}

TEST_F(Program, HiddenRunAskedForItsStatusEndsWithItsAnswer) {
    placeDriver(kFormats[0], "4.00.1115");
    runHidden("HIDE", 0);
    runHidden("/HIDE/STATUS", of95Family() ? 2 : 3);
}

// A desktop program has no console of its own: what a person asks of the
// command line reaches them where they can read it.
TEST_F(Program, UsageGoesWhereTheCallerRedirectedIt) {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    const std::string out = m_folder.file("usage.txt");
    HANDLE file =
        ::CreateFileA(out.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    {
        ProgramRun run(m_folder.path(), "/?", file, DETACHED_PROCESS);
        EXPECT_EQ(run.waitForExit(kRunLimit), std::optional<DWORD>(0)) << "no message box waits for a person";
    }
    ::CloseHandle(file);
    const auto usage = rt::win32::test::readFile(out);
    EXPECT_EQ(usage.rfind("usage: keldwick", 0), 0u) << usage;
    EXPECT_NE(usage.find("/STATUS"), std::string::npos);
    EXPECT_NE(usage.find("\r\n"), std::string::npos);
}

TEST_F(Program, VersionWithoutAConsoleIsShownInAMessageBox) {
    ProgramRun run(m_folder.path(), "--version", nullptr, DETACHED_PROCESS);
    const HWND box = run.waitForMessageBox(kRunLimit);
    ASSERT_NE(box, nullptr) << "no message box appeared";
    std::string shown;
    for (DWORD waited = 0; shown.empty() && waited < kRunLimit; waited += 50) {
        shown = rt::win32::test::staticTexts(box);
        ::Sleep(shown.empty() ? 50 : 0);
    }
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(run.waitForExit(kRunLimit), std::optional<DWORD>(0));
    EXPECT_EQ(shown, "keldwick " KELDWICK_VERSION);
}

TEST_F(Program, HiddenRunNeverShowsABoxForHelp) {
    ProgramRun run(m_folder.path(), "--help HIDE", nullptr, DETACHED_PROCESS);
    EXPECT_EQ(run.waitForExit(kRunLimit), std::optional<DWORD>(0));
    EXPECT_NE(rt::win32::test::readFile(m_folder.file("KELDWICK.INI")), "");
}

TEST_F(Program, HiddenRunOnTheNtFamilyAnswersNo) {
    if (of95Family()) {
        GTEST_SKIP() << "runs only in prefixes set to the NT family";
    }
    placeDriver(kFormats[0], "4.00.1116");
    EXPECT_EQ(runHidden(), "[VREDIR.VXD]\r\nISWIN95=NO\r\nVERSION=4.00.1116\r\n");
}

TEST_F(Program, ShownRunOnTheNtFamilyRecommendsNothingForThisPlatform) {
    if (of95Family()) {
        GTEST_SKIP() << "runs only in prefixes set to the NT family";
    }
    placeDriver(kFormats[0], "4.00.1116");
    EXPECT_EQ(runShown(), (std::array<std::string, 3>{"NO", "4.00.1116", "NOT95"}));
}

// What opens .html files in this prefix, for one test: a command that writes
// the page it was given into a file. The previous choice comes back after.
class HtmlOpener {
  public:
    explicit HtmlOpener(const std::string& record) {
        char previous[128] = {};
        LONG size = sizeof previous;
        if (::RegQueryValueA(HKEY_CLASSES_ROOT, ".html", previous, &size) == ERROR_SUCCESS) {
            m_previous = previous;
        }
        const std::string command = "cmd.exe /c echo %1>\"" + record + "\"";
        ::RegSetValueA(HKEY_CLASSES_ROOT, "KeldwickTestPage\\shell\\open\\command", REG_SZ, command.c_str(),
                       static_cast<DWORD>(command.size()));
        ::RegSetValueA(HKEY_CLASSES_ROOT, ".html", REG_SZ, "KeldwickTestPage", 16);
    }
    ~HtmlOpener() {
        ::RegSetValueA(HKEY_CLASSES_ROOT, ".html", REG_SZ, m_previous.c_str(),
                       static_cast<DWORD>(m_previous.size()));
    }
    HtmlOpener(const HtmlOpener&) = delete;
    HtmlOpener& operator=(const HtmlOpener&) = delete;

  private:
    std::string m_previous;
};

// F1 opened the contents wherever it was pressed; the status window has a
// page of its own.
TEST_F(Program, F1OpensTheActiveWindowsPageBesideTheProgramAndTheContentsWhereNoneIs) {
    const std::string record = m_folder.file("opened.txt");
    const HtmlOpener opener(record);
    ProgramRun run(m_folder.path(), "");
    HWND frame = run.waitForFrame(kRunLimit);
    ASSERT_NE(frame, nullptr);
    HWND client = ::FindWindowExA(frame, nullptr, "MDICLIENT", nullptr);
    const auto statusWindow = [&] { return ::FindWindowExA(client, nullptr, "KeldwickWindow", nullptr); };
    const auto openedWith = [&](const std::string& page) {
        std::string opened;
        for (DWORD waited = 0; opened.find(page) == std::string::npos && waited < kRunLimit; waited += 100) {
            ::Sleep(100);
            opened = rt::win32::test::readFile(record);
        }
        return opened;
    };
    for (DWORD waited = 0; statusWindow() == nullptr && waited < kRunLimit; waited += 100) {
        ::Sleep(100);
    }
    // F1 goes through the frame's shortcut keys wherever it is pressed.
    ::PostMessageA(frame, WM_KEYDOWN, VK_F1, 1);
    const std::string overWindow = openedWith("status-window.html");
    ::PostMessageA(statusWindow(), WM_CLOSE, 0, 0);
    for (DWORD waited = 0; statusWindow() != nullptr && waited < kRunLimit; waited += 100) {
        ::Sleep(100);
    }
    ::PostMessageA(frame, WM_KEYDOWN, VK_F1, 1);
    const std::string overNone = openedWith("index.html");
    ::PostMessageA(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.waitForExit(kRunLimit), std::optional<DWORD>(0));
    char program[MAX_PATH] = {};
    ::GetFullPathNameA(std::getenv("KELDWICK_PROGRAM"), MAX_PATH, program, nullptr);
    const std::string full = program;
    const std::string help = full.substr(0, full.find_last_of('\\') + 1) + "help\\";
    EXPECT_NE(overWindow.find(help + "status-window.html"), std::string::npos) << overWindow;
    EXPECT_NE(overNone.find(help + "index.html"), std::string::npos) << overNone;
}

// The check every Windows version gets: a hidden run over an old report, as
// a login script makes it day after day, leaves exactly this run's report and
// nothing else. The 95 family publishes it in two steps (delete, then rename).
using HiddenRun = Program;

TEST_F(HiddenRun, ReplacesTheOldReportWithTheOneThisWindowsCallsFor) {
    rt::win32::test::writeFile(m_folder.file("KELDWICK.INI"), fixtures::Bytes(100, std::byte{'x'}));
    placeDriver(kFormats[0], "4.00.1116");
    const std::string platform = of95Family() ? "YES" : "NO";
    EXPECT_EQ(runHidden(), "[VREDIR.VXD]\r\nISWIN95=" + platform + "\r\nVERSION=4.00.1116\r\n");
    const auto entries = rt::fileSystem().listFolder(m_folder.path().c_str(), "");
    ASSERT_TRUE(entries.ok());
    std::vector<std::string> files;
    for (const auto& entry : entries.value()) {
        if (entry.isRegular) {
            files.push_back(entry.name);
        }
    }
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"KELDWICK.INI", "VREDIR.VXD"})) << "no temporary file is left";
}

TEST_F(HiddenRun, WithoutADriverWritesNoVersion) {
    const std::string platform = of95Family() ? "YES" : "NO";
    // The system and Windows folders of a fresh prefix hold no VREDIR.VXD either.
    EXPECT_EQ(runHidden(), "[VREDIR.VXD]\r\nISWIN95=" + platform + "\r\n");
}

}  // namespace
