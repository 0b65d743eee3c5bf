#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "WindowsTestSupport.h"
#include "tests/support/Watchdog.h"

namespace rt::win32::test {

inline constexpr DWORD kPatience = 20'000;
inline constexpr int kIsWin95Display = 2;
inline constexpr int kVersionDisplay = 4;
inline constexpr int kRecommendDisplay = 6;
inline constexpr int kCloseButton = 10;

// The status windows inside the frame, front to back.
std::vector<HWND> statusWindows(HWND frame);
HWND mdiClient(HWND frame);
// The status window the frame shows as active; null when there is none.
HWND activeStatusWindow(HWND frame);
std::string text(HWND window);

// Polls until `ready` holds or the patience runs out; the last answer.
bool waitUntil(const std::function<bool()>& ready, DWORD patience = kPatience);
// Waits until `count` status windows are open and each shows its results.
bool waitForResults(HWND frame, std::size_t count);
// Chooses Test, GetVersion and waits until `count` windows show results.
bool openAnotherStatusWindow(HWND frame, std::size_t count);

// The native presenter with the program itself, run in this process: the
// test's main thread is the GUI thread, a second thread acts as a person
// would, through the windows' own messages and posted keys.
class PresenterFixture {
  protected:
    PresenterFixture();
    ~PresenterFixture();
    PresenterFixture(const PresenterFixture&) = delete;
    PresenterFixture& operator=(const PresenterFixture&) = delete;

    // Runs the program until `person` is done and the frame is closed; the
    // program's exit status.
    int runProgram(const std::function<void(HWND frame)>& person);

    // The control with the keyboard focus on the GUI thread.
    HWND focused() const;
    // A key pressed and released where the focus is, as the keyboard would
    // send it; `extended` for the keypad's Enter and the like.
    void pressKey(UINT key, bool extended = false) const;
    // The key with Ctrl held, typed into the foreground window; whether
    // `taken` holds in time.
    bool pressWithControl(UINT key, const std::function<bool()>& taken) const;
    // Serves the messages of windows the acting thread made itself.
    static void pumpOwnMessages();
    // The frame's menu entry at `item` of drop-down `menu`, as the menu bar
    // chooses it.
    static void choose(HWND frame, int menu, int item);

    rt::test::Watchdog m_watchdog{std::chrono::seconds(90), "presenter test"};
    TempFolder m_folder;
    char m_previous[MAX_PATH] = {};
    DWORD m_guiThread = 0;
};

}  // namespace rt::win32::test
