// The native presenter with the program itself, run in this process: the
// test's main thread is the GUI thread, a second thread acts as a person
// would, through the windows' own messages.
#include <windows.h>
// The common controls' header needs the base types above.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

#include "WindowsTestSupport.h"
#include "app/ProgramBody.h"
#include "platform/NativeThread.h"
#include "tests/support/Watchdog.h"

namespace {

constexpr DWORD kPatience = 20'000;
constexpr int kCloseButton = 10;
constexpr int kRecommendDisplay = 6;

std::vector<HWND> statusWindows(HWND frame) {
    std::vector<HWND> found;
    HWND client = ::FindWindowExA(frame, nullptr, "MDICLIENT", nullptr);
    for (HWND child = ::FindWindowExA(client, nullptr, "KeldwickWindow", nullptr); child != nullptr;
         child = ::FindWindowExA(client, child, "KeldwickWindow", nullptr)) {
        found.push_back(child);
    }
    return found;
}

template <typename Ready>
bool waitUntil(Ready ready) {
    for (DWORD waited = 0; waited < kPatience; waited += 20) {
        if (ready()) {
            return true;
        }
        ::Sleep(20);
    }
    return ready();
}

std::string text(HWND window) {
    char buffer[256] = {};
    ::SendMessageA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

// Waits until `count` status windows are open and each shows its results,
// so that every control exists before the person reaches for it.
bool waitForResults(HWND frame, std::size_t count) {
    return waitUntil([&] {
        const auto windows = statusWindows(frame);
        return windows.size() == count && std::all_of(windows.begin(), windows.end(), [](HWND window) {
                   return !text(::GetDlgItem(window, kRecommendDisplay)).empty();
               });
    });
}

std::array<int, 4> statusParts(HWND frame) {
    std::array<int, 4> parts{};
    HWND bar = ::FindWindowExA(frame, nullptr, STATUSCLASSNAMEA, nullptr);
    ::SendMessageA(bar, SB_GETPARTS, parts.size(), reinterpret_cast<LPARAM>(parts.data()));
    return parts;
}

class Presenter : public ::testing::Test {
  protected:
    Presenter() {
        ::GetCurrentDirectoryA(MAX_PATH, m_previous);
        ::SetCurrentDirectoryA(m_folder.path().c_str());
    }
    ~Presenter() override { ::SetCurrentDirectoryA(m_previous); }

    int runProgram(const std::function<void(HWND frame)>& person) {
        const char* argv[] = {"keldwick"};
        rt::startUp(keldwick::programModules(), 1, argv);
        rt::NativeThread acting(
            [&] {
                HWND frame = nullptr;
                waitUntil([&] { return (frame = ::FindWindowA("KeldwickFrame", nullptr)) != nullptr; });
                if (frame != nullptr && waitForResults(frame, 1)) {
                    person(frame);
                    ::PostMessageA(frame, WM_CLOSE, 0, 0);
                }
            },
            0);
        const int status = keldwick::programBody();
        acting.join();
        rt::closeDown();
        return status;
    }

    testing_support::Watchdog m_watchdog{std::chrono::seconds(60), "presenter test"};
    windows_test::TempFolder m_folder;
    char m_previous[MAX_PATH] = {};
};

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

}  // namespace
