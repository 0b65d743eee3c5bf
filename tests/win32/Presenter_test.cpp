// The native presenter with the program itself, run in this process: the
// test's main thread is the GUI thread, a second thread acts as a person
// would, through the windows' own messages.
#include <windows.h>
// The common controls' header needs the base types above.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "PresenterFixture.h"

namespace {

using namespace rt::win32::test;

std::array<int, 4> statusParts(HWND frame) {
    std::array<int, 4> parts{};
    HWND bar = ::FindWindowExA(frame, nullptr, STATUSCLASSNAMEA, nullptr);
    ::SendMessageA(bar, SB_GETPARTS, parts.size(), reinterpret_cast<LPARAM>(parts.data()));
    return parts;
}

class Presenter : public ::testing::Test, protected PresenterFixture {};

TEST_F(Presenter, FrameCarriesTheMenuBarWithAccessKeys) {
    std::vector<std::string> titles;
    runProgram([&](HWND frame) {
        HMENU bar = ::GetMenu(frame);
        for (int i = 0; i < ::GetMenuItemCount(bar); ++i) {
            char title[64] = {};
            ::GetMenuStringA(bar, static_cast<UINT>(i), title, sizeof title, MF_BYPOSITION);
            titles.push_back(title);
        }
    });
    EXPECT_EQ(titles, (std::vector<std::string>{"&File", "&Edit", "&Test", "&Window", "&Help"}));
}

TEST_F(Presenter, OnlyTheFirstStatusZoneGrowsWithTheFrame) {
    std::array<int, 4> before{};
    std::array<int, 4> after{};
    runProgram([&](HWND frame) {
        RECT outer{};
        ::GetWindowRect(frame, &outer);
        before = statusParts(frame);
        ::SetWindowPos(frame, nullptr, 0, 0, outer.right - outer.left + 120, outer.bottom - outer.top,
                       SWP_NOMOVE | SWP_NOZORDER);
        after = statusParts(frame);
    });
    EXPECT_EQ(after[0] - before[0], 120);
    EXPECT_EQ(after[1] - after[0], before[1] - before[0]);
    EXPECT_EQ(after[2] - after[1], before[2] - before[1]);
    EXPECT_EQ(after[3], -1);
}

TEST_F(Presenter, HighlightedEntryShowsItsMessageUntilTheMenuCloses) {
    bool simpleWhileOpen = false;
    bool simpleAfterClose = true;
    std::string shown;
    runProgram([&](HWND frame) {
        HMENU windowMenu = ::GetSubMenu(::GetMenu(frame), 3);
        HWND bar = ::FindWindowExA(frame, nullptr, STATUSCLASSNAMEA, nullptr);
        const UINT tile = ::GetMenuItemID(windowMenu, 0);
        ::SendMessageA(frame, WM_MENUSELECT, MAKEWPARAM(tile, MF_STRING),
                       reinterpret_cast<LPARAM>(windowMenu));
        simpleWhileOpen = ::SendMessageA(bar, SB_ISSIMPLE, 0, 0) != 0;
        char buffer[128] = {};
        // In simple mode the bar has one part, and part 0 reads it.
        ::SendMessageA(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(buffer));
        shown = buffer;
        ::SendMessageA(frame, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
        simpleAfterClose = ::SendMessageA(bar, SB_ISSIMPLE, 0, 0) != 0;
    });
    EXPECT_TRUE(simpleWhileOpen);
    EXPECT_EQ(shown, "Make all open windows visible");
    EXPECT_FALSE(simpleAfterClose);
}

TEST_F(Presenter, WindowMenuListsEveryStatusWindowAndTileSeparatesThem) {
    int listed = 0;
    bool overlapAfterTile = true;
    std::size_t leftAfterClose = 0;
    runProgram([&](HWND frame) {
        HMENU bar = ::GetMenu(frame);
        const UINT getVersion = ::GetMenuItemID(::GetSubMenu(bar, 2), 0);
        HMENU windowMenu = ::GetSubMenu(bar, 3);
        ::SendMessageA(frame, WM_COMMAND, getVersion, 0);
        ASSERT_TRUE(waitForResults(frame, 2));
        for (int i = 0; i < ::GetMenuItemCount(windowMenu); ++i) {
            const UINT id = ::GetMenuItemID(windowMenu, i);
            listed += id >= 0xFF00 && id != 0xFFFFFFFF ? 1 : 0;
        }
        ::SendMessageA(frame, WM_COMMAND, ::GetMenuItemID(windowMenu, 0), 0);
        const auto windows = statusWindows(frame);
        RECT first{};
        RECT second{};
        RECT both{};
        ::GetWindowRect(windows[0], &first);
        ::GetWindowRect(windows[1], &second);
        overlapAfterTile = ::IntersectRect(&both, &first, &second) != 0;
        ::SendMessageA(::GetDlgItem(windows[0], kCloseButton), BM_CLICK, 0, 0);
        waitUntil([&] {
            leftAfterClose = statusWindows(frame).size();
            return leftAfterClose == 1;
        });
    });
    EXPECT_EQ(listed, 2);
    EXPECT_FALSE(overlapAfterTile);
    EXPECT_EQ(leftAfterClose, 1u);
}

// This test program carries the program's resources, icon included.
TEST_F(Presenter, FrameAndStatusWindowsShowTheProgramsIcon) {
    std::vector<ULONG_PTR> icons;
    runProgram([&](HWND frame) {
        for (HWND window : {frame, statusWindows(frame).at(0)}) {
            icons.push_back(::GetClassLongPtrA(window, GCLP_HICON));
            icons.push_back(::GetClassLongPtrA(window, GCLP_HICONSM));
        }
    });
    const auto systemIcon = reinterpret_cast<ULONG_PTR>(::LoadIconA(nullptr, IDI_APPLICATION));
    ASSERT_EQ(icons.size(), 4u);
    for (const auto icon : icons) {
        EXPECT_NE(icon, 0u);
        EXPECT_NE(icon, systemIcon) << "the program's own icon, not the system's";
    }
}

TEST_F(Presenter, ExitEndsTheProgramWithStatusZero) {
    std::string recommend;
    const int status = runProgram([&](HWND frame) {
        recommend = text(::GetDlgItem(statusWindows(frame).at(0), kRecommendDisplay));
        HMENU file = ::GetSubMenu(::GetMenu(frame), 0);
        ::PostMessageA(frame, WM_COMMAND, ::GetMenuItemID(file, 2), 0);
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(recommend, "UNKNOWN") << "no driver in the current, system or Windows folder";
}

// The tool tips the frame's status bar shows, by zone.
std::map<UINT_PTR, std::string> zoneTips(DWORD guiThread) {
    HWND tips = nullptr;
    ::EnumThreadWindows(
        guiThread,
        [](HWND window, LPARAM found) -> BOOL {
            char name[32] = {};
            ::GetClassNameA(window, name, sizeof name);
            if (::lstrcmpiA(name, TOOLTIPS_CLASSA) != 0) {
                return TRUE;
            }
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&tips));
    std::map<UINT_PTR, std::string> shown;
    const auto count = tips != nullptr ? ::SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0) : 0;
    for (LRESULT i = 0; i < count; ++i) {
        char text[512] = {};
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V1_SIZE;
        tool.lpszText = text;
        if (::SendMessageA(tips, TTM_ENUMTOOLSA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tool)) !=
            0) {
            shown[tool.uId] = text;
        }
    }
    return shown;
}

std::string zoneText(HWND frame, int part) {
    char text[128] = {};
    HWND bar = ::FindWindowExA(frame, nullptr, STATUSCLASSNAMEA, nullptr);
    ::SendMessageA(bar, SB_GETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
    return text;
}

// A folder in the report's place: standard error alone said the report
// could not be written there.
TEST_F(Presenter, StatusBarSaysWhenTheReportWasNotWrittenUntilACheckWritesIt) {
    const std::string report = m_folder.file("KELDWICK.INI");
    ::CreateDirectoryA(report.c_str(), nullptr);
    std::string failed;
    std::map<UINT_PTR, std::string> failedTips;
    std::string written;
    std::map<UINT_PTR, std::string> writtenTips;
    runProgram([&](HWND frame) {
        failed = zoneText(frame, 2);
        failedTips = zoneTips(m_guiThread);
        ::RemoveDirectoryA(report.c_str());
        ASSERT_TRUE(openAnotherStatusWindow(frame, 2));
        written = zoneText(frame, 2);
        writtenTips = zoneTips(m_guiThread);
    });
    EXPECT_EQ(failed, "Report not written");
    ASSERT_EQ(failedTips.count(3), 1u);
    EXPECT_EQ(failedTips[3].rfind(report + ": ", 0), 0u) << failedTips[3];
    EXPECT_EQ(written, "") << "a written report shows nothing there";
    EXPECT_TRUE(writtenTips.empty());
}

}  // namespace
