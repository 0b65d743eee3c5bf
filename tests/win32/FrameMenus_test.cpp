// The frame's menus as a person finds them: entries greyed where they cannot
// act, kept current as windows and the focus change, and help entries that
// say what went wrong when they cannot open their page.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "PresenterFixture.h"

namespace {

using namespace rt::win32::test;

constexpr int kEditMenu = 1;
constexpr int kWindowMenu = 3;
constexpr int kHelpMenu = 4;

class FrameMenus : public ::testing::Test, protected PresenterFixture {
  protected:
    // The entries of a drop-down menu that can be chosen, once the frame
    // has answered its opening.
    static std::vector<bool> enabled(HWND frame, int menu, int entries) {
        HMENU popup = ::GetSubMenu(::GetMenu(frame), menu);
        ::SendMessageA(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(menu, FALSE));
        std::vector<bool> states;
        states.reserve(static_cast<std::size_t>(entries));
        for (int i = 0; i < entries; ++i) {
            states.push_back((::GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED) == 0);
        }
        return states;
    }

    // The text of the message box the GUI thread shows, once it shows one;
    // the box is then closed.
    // Reads the message box that is up, closes it and waits until it is gone,
    // so that the next read cannot meet it again.
    std::string messageBoxText() const {
        struct Seen {
            std::string text;
            HWND box = nullptr;
        } seen;
        waitUntil([&] {
            ::EnumThreadWindows(
                m_guiThread,
                [](HWND window, LPARAM out) -> BOOL {
                    char name[16] = {};
                    ::GetClassNameA(window, name, sizeof name);
                    if (std::string(name) != "#32770" || ::IsWindowVisible(window) == 0) {
                        return TRUE;
                    }
                    auto& found = *reinterpret_cast<Seen*>(out);
                    for (HWND part = ::GetWindow(window, GW_CHILD); part != nullptr;
                         part = ::GetWindow(part, GW_HWNDNEXT)) {
                        char className[16] = {};
                        ::GetClassNameA(part, className, sizeof className);
                        if (::lstrcmpiA(className, "Static") == 0) {
                            found.text += rt::win32::test::text(part);
                        }
                    }
                    found.box = window;
                    ::PostMessageA(window, WM_COMMAND, IDOK, 0);
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(&seen));
            return !seen.text.empty();
        });
        waitUntil([&] { return ::IsWindow(seen.box) == 0; });
        return seen.text;
    }
};

TEST_F(FrameMenus, EntriesThatCannotActAreGreyedAndFollowTheWindowsAndTheFocus) {
    std::map<std::string, std::vector<bool>> seen;
    runProgram([&](HWND frame) {
        waitUntil([&] { return ::GetDlgCtrlID(focused()) == kCloseButton; });
        seen["edit, Close focused"] = enabled(frame, kEditMenu, 3);
        seen["window, one open"] = enabled(frame, kWindowMenu, 3);
        pressKey(VK_TAB);
        waitUntil([&] { return ::GetDlgCtrlID(focused()) == kIsWin95Display; });
        seen["edit, result focused"] = enabled(frame, kEditMenu, 3);
        HWND window = statusWindows(frame).at(0);
        ::SendMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        waitUntil([&] { return ::IsIconic(window) != 0; });
        seen["window, one minimised"] = enabled(frame, kWindowMenu, 3);
        ::SendMessageA(::GetDlgItem(window, kCloseButton), BM_CLICK, 0, 0);
        waitUntil([&] { return statusWindows(frame).empty(); });
        seen["edit, none open"] = enabled(frame, kEditMenu, 3);
        seen["window, none open"] = enabled(frame, kWindowMenu, 3);
        seen["help, none open"] = enabled(frame, kHelpMenu, 3);
    });
    // Cut, Copy, Paste: the results are read-only, yet all three can be copied.
    EXPECT_EQ(seen["edit, Close focused"], (std::vector<bool>{false, true, false}));
    EXPECT_EQ(seen["edit, result focused"], (std::vector<bool>{false, true, false}));
    EXPECT_EQ(seen["edit, none open"], (std::vector<bool>{false, false, false}));
    // Tile, Cascade, Arrange Icons: a minimised window is arranged only with the icons.
    EXPECT_EQ(seen["window, one open"], (std::vector<bool>{true, true, false}));
    EXPECT_EQ(seen["window, one minimised"], (std::vector<bool>{false, false, true}));
    EXPECT_EQ(seen["window, none open"], (std::vector<bool>{false, false, false}));
    EXPECT_EQ(seen["help, none open"], (std::vector<bool>{true, true, true}));
}

// This test program has no help pages beside it, so every entry fails.
TEST_F(FrameMenus, EveryHelpEntrySaysWhichPageItTriedAndWhy) {
    std::vector<std::string> messages;
    runProgram([&](HWND frame) {
        for (int item = 0; item < 3; ++item) {
            choose(frame, kHelpMenu, item);
            messages.push_back(messageBoxText());
        }
        waitUntil([&] { return ::GetDlgCtrlID(focused()) == kCloseButton; });
        pressKey(VK_F1);
        messages.push_back(messageBoxText());
    });
    ASSERT_EQ(messages.size(), 4u);
    const std::string folder = programFolder() + "help\\";
    for (const auto& [message, page] :
         std::vector<std::pair<std::string, std::string>>{{messages[0], "index.html"},
                                                          {messages[1], "search.html"},
                                                          {messages[2], "using-help.html"},
                                                          {messages[3], "index.html"}}) {
        EXPECT_NE(message.find(folder + page), std::string::npos) << message << "\nfolder: " << folder;
        EXPECT_NE(message.find("does not exist"), std::string::npos) << message;
    }
}

// The windows never showed the program's version. The stored help menu has
// no About entry; the presenter adds its own at the end.
TEST_F(FrameMenus, AboutEndsTheHelpMenuAndNamesTheProgramItsVersionAndTheReportsFolder) {
    std::string entry;
    std::string about;
    char folder[MAX_PATH] = {};
    runProgram([&](HWND frame) {
        ::GetCurrentDirectoryA(MAX_PATH, folder);
        HMENU help = ::GetSubMenu(::GetMenu(frame), kHelpMenu);
        char text[64] = {};
        ::GetMenuStringA(help, static_cast<UINT>(::GetMenuItemCount(help) - 1), text, sizeof text,
                         MF_BYPOSITION);
        entry = text;
        choose(frame, kHelpMenu, ::GetMenuItemCount(help) - 1);
        about = messageBoxText();
    });
    EXPECT_EQ(entry, "&About Redirector Status...");
    EXPECT_NE(about.find("keldwick " KELDWICK_VERSION), std::string::npos) << about;
    EXPECT_NE(about.find(folder), std::string::npos) << about << "\nfolder: " << folder;
}

}  // namespace
