// Keys and focus in the status windows and the frame, through input posted
// to the focused control as the keyboard would deliver it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "PresenterFixture.h"

namespace {

using namespace rt::win32::test;

class StatusWindowKeys : public ::testing::Test, protected PresenterFixture {
  protected:
    int focusedId() const { return ::GetDlgCtrlID(focused()); }
    bool focusIn(HWND window) const { return ::IsChild(window, focused()) != 0; }

    // The clipboard's text, or "<none>".
    static std::string clipboardText() {
        std::string text = "<none>";
        if (::OpenClipboard(nullptr) == 0) {
            return text;
        }
        if (HANDLE data = ::GetClipboardData(CF_TEXT); data != nullptr) {
            text = static_cast<const char*>(::GlobalLock(data));
            ::GlobalUnlock(data);
        }
        ::CloseClipboard();
        return text;
    }

    // Asks without opening the clipboard, which would keep the program from it.
    static bool hasText() { return ::IsClipboardFormatAvailable(CF_TEXT) != 0; }

    static void clearClipboard() {
        if (::OpenClipboard(nullptr) != 0) {
            ::EmptyClipboard();
            ::CloseClipboard();
        }
    }
};

TEST_F(StatusWindowKeys, ReturnPressesTheFocusedCloseButton) {
    int focusedAtStart = 0;
    bool looksDefault = false;
    bool closed = false;
    runProgram([&](HWND frame) {
        waitUntil([&] { return focusedId() == kCloseButton; });
        focusedAtStart = focusedId();
        const auto style = ::GetWindowLongPtrA(focused(), GWL_STYLE);
        looksDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        pressKey(VK_RETURN);
        closed = waitUntil([&] { return statusWindows(frame).empty(); });
    });
    EXPECT_EQ(focusedAtStart, kCloseButton) << "Close has the focus once the results are in";
    EXPECT_TRUE(looksDefault) << "the focused button is drawn as the default one";
    EXPECT_TRUE(closed) << "Return on the focused Close button closes the window";
}

TEST_F(StatusWindowKeys, KeypadEnterAndEscapeCloseTheWindowFromAnyControl) {
    bool closedByKeypad = false;
    bool closedByEscape = false;
    int tabbedTo = 0;
    runProgram([&](HWND frame) {
        ASSERT_TRUE(openAnotherStatusWindow(frame, 2));
        waitUntil([&] { return focusIn(activeStatusWindow(frame)) && focusedId() == kCloseButton; });
        // Tab leaves Close for the first result; Enter still presses Close, the default button.
        pressKey(VK_TAB);
        waitUntil([&] { return focusedId() == kIsWin95Display; });
        tabbedTo = focusedId();
        pressKey(VK_RETURN, true);
        closedByKeypad = waitUntil([&] { return statusWindows(frame).size() == 1; });
        waitUntil([&] { return focusIn(statusWindows(frame).at(0)); });
        pressKey(VK_ESCAPE);
        closedByEscape = waitUntil([&] { return statusWindows(frame).empty(); });
    });
    EXPECT_EQ(tabbedTo, kIsWin95Display);
    EXPECT_TRUE(closedByKeypad);
    EXPECT_TRUE(closedByEscape);
}

TEST_F(StatusWindowKeys, FocusComesBackToTheControlLeftWhenTheWindowIsActiveAgain) {
    int afterSwitchingTwice = 0;
    int afterLeavingTheProgram = 0;
    runProgram([&](HWND frame) {
        ASSERT_TRUE(openAnotherStatusWindow(frame, 2));
        HWND first = activeStatusWindow(frame);
        waitUntil([&] { return focusIn(first) && focusedId() == kCloseButton; });
        pressKey(VK_TAB);
        pressKey(VK_TAB);
        waitUntil([&] { return focusedId() == kVersionDisplay; });
        // What Ctrl+F6 does, twice: to the other window and back.
        HWND client = mdiClient(frame);
        ::SendMessageA(client, WM_MDINEXT, 0, 0);
        waitUntil([&] { return activeStatusWindow(frame) != first && !focusIn(first); });
        ::SendMessageA(client, WM_MDINEXT, 0, 0);
        waitUntil([&] { return focusIn(first); });
        afterSwitchingTwice = focusedId();

        // Another window takes the focus away from the program, then the person comes back.
        HWND other = ::CreateWindowExA(0, "STATIC", "elsewhere", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 100, 50,
                                       nullptr, nullptr, nullptr, nullptr);
        ::SetForegroundWindow(other);
        waitUntil([&] {
            pumpOwnMessages();
            return focused() == nullptr;
        });
        ::SetForegroundWindow(frame);
        waitUntil([&] {
            pumpOwnMessages();
            return focusIn(first);
        });
        afterLeavingTheProgram = focusedId();
        ::DestroyWindow(other);
    });
    EXPECT_EQ(afterSwitchingTwice, kVersionDisplay);
    EXPECT_EQ(afterLeavingTheProgram, kVersionDisplay);
}

TEST_F(StatusWindowKeys, CopyWithNoResultFocusedTakesAllThreeResults) {
    std::string expected;
    std::string copied;
    std::string copiedValue;
    runProgram([&](HWND frame) {
        HWND window = statusWindows(frame).at(0);
        expected = "Is Win95? " + text(::GetDlgItem(window, kIsWin95Display)) +
                   "\r\nVRedir Version: " + text(::GetDlgItem(window, kVersionDisplay)) +
                   "\r\nRecommend: " + text(::GetDlgItem(window, kRecommendDisplay)) + "\r\n";
        waitUntil([&] { return focusedId() == kCloseButton; });
        clearClipboard();
        choose(frame, 1, 1);
        waitUntil(hasText);
        copied = clipboardText();
        // On a result, Copy takes that result alone.
        pressKey(VK_TAB);
        pressKey(VK_TAB);
        waitUntil([&] { return focusedId() == kVersionDisplay; });
        clearClipboard();
        choose(frame, 1, 1);
        waitUntil(hasText);
        copiedValue = clipboardText();
    });
    EXPECT_EQ(copied, expected);
    EXPECT_EQ(copiedValue, "UNKNOWN") << "no driver in the current, system or Windows folder";
}

TEST_F(StatusWindowKeys, ShortcutKeysReachTheirMenuEntries) {
    std::string copied;
    const int status = runProgram([&](HWND frame) {
        waitUntil([&] { return focusedId() == kCloseButton; });
        clearClipboard();
        pressWithControl('C', hasText);
        copied = clipboardText();
        pressWithControl('Q', [&] { return ::IsWindowVisible(frame) == 0; });
    });
    EXPECT_EQ(copied.rfind("Is Win95? ", 0), 0u) << copied;
    EXPECT_EQ(status, 0);
}

TEST_F(StatusWindowKeys, EveryMenuEntryWithAShortcutShowsIt) {
    std::vector<std::string> shown;
    runProgram([&](HWND frame) {
        HMENU bar = ::GetMenu(frame);
        for (const auto& [menu, item] : {std::pair{0, 2}, {1, 0}, {1, 1}, {1, 2}, {4, 0}}) {
            char entry[64] = {};
            ::GetMenuStringA(::GetSubMenu(bar, menu), static_cast<UINT>(item), entry, sizeof entry,
                             MF_BYPOSITION);
            shown.push_back(entry);
        }
    });
    EXPECT_EQ(shown, (std::vector<std::string>{"E&xit\tCtrl+Q", "Cu&t\tCtrl+X", "&Copy\tCtrl+C",
                                               "&Paste\tCtrl+V", "&Contents"}))
        << "F1 opens the active window's page, not always the contents";
}

// The dialog manager took the default look from Close whenever the focus
// left it, though Enter still pressed it.
TEST_F(StatusWindowKeys, CloseKeepsItsDefaultLookWhateverHasTheFocus) {
    std::vector<int> focusedIds;
    std::vector<bool> closeLooksDefault;
    runProgram([&](HWND frame) {
        HWND close = ::GetDlgItem(statusWindows(frame).at(0), kCloseButton);
        waitUntil([&] { return focusedId() == kCloseButton; });
        for (const int next : {kIsWin95Display, 4, kRecommendDisplay}) {
            pressKey(VK_TAB);
            waitUntil([&] { return focusedId() == next; });
            focusedIds.push_back(focusedId());
            const auto style = ::GetWindowLongPtrA(close, GWL_STYLE);
            closeLooksDefault.push_back((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
        }
    });
    EXPECT_EQ(focusedIds, (std::vector<int>{kIsWin95Display, 4, kRecommendDisplay}));
    EXPECT_EQ(closeLooksDefault, (std::vector<bool>{true, true, true}));
}

// The Window menu's list of status windows: each entry's text and whether it
// is checked, in menu order.
std::vector<std::pair<std::string, bool>> listedWindows(HWND frame) {
    HMENU windowMenu = ::GetSubMenu(::GetMenu(frame), 3);
    std::vector<std::pair<std::string, bool>> listed;
    for (int i = 0; i < ::GetMenuItemCount(windowMenu); ++i) {
        const UINT id = ::GetMenuItemID(windowMenu, i);
        char entry[64] = {};
        if (id >= 0xFF00 && id != 0xFFFFFFFF &&
            ::GetMenuStringA(windowMenu, static_cast<UINT>(i), entry, sizeof entry, MF_BYPOSITION) > 0) {
            const UINT state = ::GetMenuState(windowMenu, static_cast<UINT>(i), MF_BYPOSITION);
            listed.emplace_back(entry, (state & MF_CHECKED) != 0);
        }
    }
    return listed;
}

// The menu that thread `thread` has open, if any.
HMENU shownMenu(DWORD thread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (::GetGUIThreadInfo(thread, &info) == 0 || (info.flags & GUI_INMENUMODE) == 0 ||
        info.hwndMenuOwner == nullptr) {
        return nullptr;
    }
    constexpr UINT kGetMenu = 0x01E1;  // MN_GETHMENU
    return reinterpret_cast<HMENU>(::SendMessageA(info.hwndMenuOwner, kGetMenu, 0, 0));
}

// Eleven windows: the list stops at nine, the active one checked, and offers
// the rest; Ctrl+F4 and a minimise through the window's own menu, opened with
// Alt+minus, each leave the window underneath active with the focus in it.
TEST_F(StatusWindowKeys, WindowListStopsAtNineAndTheWindowUnderneathTakesOverFromAClosedOrMinimisedOne) {
    std::vector<std::pair<std::string, bool>> listed;
    bool underneathAfterClose = false;
    bool ownMenuOpened = false;
    bool underneathAfterMinimise = false;
    runProgram([&](HWND frame) {
        for (std::size_t count = 2; count <= 11; ++count) {
            ASSERT_TRUE(openAnotherStatusWindow(frame, count));
        }
        listed = listedWindows(frame);
        // Front to back: the newest, then the one it covers, and so on.
        const auto stacked = statusWindows(frame);
        ASSERT_EQ(stacked.size(), 11u);
        ASSERT_TRUE(waitUntil([&] { return focusIn(stacked[0]); }));
        pressWithControl(VK_F4, [&] { return statusWindows(frame).size() == 10; });
        underneathAfterClose =
            waitUntil([&] { return activeStatusWindow(frame) == stacked[1] && focusIn(stacked[1]); });
        // Alt+minus as the keyboard's translation delivers it, whatever the layout.
        const LPARAM altDown = 1 | static_cast<LPARAM>(::MapVirtualKeyA(VK_OEM_MINUS, 0) << 16) | (1 << 29);
        ::PostMessageA(focused(), WM_SYSCHAR, '-', altDown);
        ownMenuOpened =
            waitUntil([&] { return shownMenu(m_guiThread) == ::GetSystemMenu(stacked[1], FALSE); });
        if (!ownMenuOpened) {
            pressKey(VK_ESCAPE);
            return;
        }
        pressKey('N');
        underneathAfterMinimise = waitUntil([&] {
            return ::IsIconic(stacked[1]) != 0 && activeStatusWindow(frame) == stacked[2] &&
                   focusIn(stacked[2]);
        });
    });
    ASSERT_EQ(listed.size(), 10u);
    for (std::size_t i = 0; i < 9; ++i) {
        EXPECT_EQ(listed[i].first.rfind("&" + std::to_string(i + 1) + " Vredir.VXD Status:", 0), 0u)
            << listed[i].first;
        EXPECT_EQ(listed[i].second, listed[i].first == "&9 Vredir.VXD Status:11") << listed[i].first;
    }
    EXPECT_NE(listed[9].first.find("More Windows"), std::string::npos) << listed[9].first;
    EXPECT_TRUE(underneathAfterClose) << "Ctrl+F4";
    EXPECT_TRUE(ownMenuOpened) << "Alt+minus";
    EXPECT_TRUE(underneathAfterMinimise) << "Minimize from the window's own menu";
}

}  // namespace
