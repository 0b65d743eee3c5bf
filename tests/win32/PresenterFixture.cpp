#include "PresenterFixture.h"

#include <algorithm>

#include "app/ProgramBody.h"
#include "platform/threads/NativeThread.h"
#include "platform/window/Runtime.h"

namespace rt::win32::test {

std::vector<HWND> statusWindows(HWND frame) {
    std::vector<HWND> found;
    HWND client = mdiClient(frame);
    for (HWND child = ::FindWindowExA(client, nullptr, "KeldwickWindow", nullptr); child != nullptr;
         child = ::FindWindowExA(client, child, "KeldwickWindow", nullptr)) {
        found.push_back(child);
    }
    return found;
}

HWND mdiClient(HWND frame) {
    return ::FindWindowExA(frame, nullptr, "MDICLIENT", nullptr);
}

HWND activeStatusWindow(HWND frame) {
    return reinterpret_cast<HWND>(::SendMessageA(mdiClient(frame), WM_MDIGETACTIVE, 0, 0));
}

std::string text(HWND window) {
    char buffer[256] = {};
    ::SendMessageA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

bool waitUntil(const std::function<bool()>& ready, DWORD patience) {
    for (DWORD waited = 0; waited < patience; waited += 20) {
        if (ready()) {
            return true;
        }
        ::Sleep(20);
    }
    return ready();
}

bool waitForResults(HWND frame, std::size_t count) {
    return waitUntil([&] {
        const auto windows = statusWindows(frame);
        return windows.size() == count && std::all_of(windows.begin(), windows.end(), [](HWND window) {
                   return !text(::GetDlgItem(window, kRecommendDisplay)).empty();
               });
    });
}

bool openAnotherStatusWindow(HWND frame, std::size_t count) {
    const UINT getVersion = ::GetMenuItemID(::GetSubMenu(::GetMenu(frame), 2), 0);
    ::SendMessageA(frame, WM_COMMAND, getVersion, 0);
    return waitForResults(frame, count);
}

PresenterFixture::PresenterFixture() : m_guiThread(::GetCurrentThreadId()) {
    ::GetCurrentDirectoryA(MAX_PATH, m_previous);
    ::SetCurrentDirectoryA(m_folder.path().c_str());
}

PresenterFixture::~PresenterFixture() {
    ::SetCurrentDirectoryA(m_previous);
}

int PresenterFixture::runProgram(const std::function<void(HWND frame)>& person) {
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

HWND PresenterFixture::focused() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(m_guiThread, &info) != 0 ? info.hwndFocus : nullptr;
}

void PresenterFixture::pressKey(UINT key, bool extended) const {
    HWND target = focused();
    const UINT scan = ::MapVirtualKeyA(key, 0);
    const LPARAM down = 1 | static_cast<LPARAM>(scan << 16) | (extended ? (1 << 24) : 0);
    const LPARAM up = down | static_cast<LPARAM>(0xC0000000u);
    ::PostMessageA(target, WM_KEYDOWN, key, down);
    ::PostMessageA(target, WM_KEYUP, key, up);
}

// Posted keys leave the key state alone, so a key with Ctrl goes in as the
// keyboard's own input, which reaches the focused window of the foreground
// thread and keeps the key state right for whatever comes next.
bool PresenterFixture::pressWithControl(UINT key, const std::function<bool()>& taken) const {
    INPUT keys[4] = {};
    const WORD codes[4] = {VK_CONTROL, static_cast<WORD>(key), static_cast<WORD>(key), VK_CONTROL};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = codes[i];
        keys[i].ki.wScan = static_cast<WORD>(::MapVirtualKeyA(codes[i], 0));
        keys[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    ::SendInput(4, keys, sizeof keys[0]);
    return waitUntil(taken);
}

void PresenterFixture::pumpOwnMessages() {
    MSG message{};
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != 0) {
        ::DispatchMessageA(&message);
    }
}

void PresenterFixture::choose(HWND frame, int menu, int item) {
    const UINT id = ::GetMenuItemID(::GetSubMenu(::GetMenu(frame), menu), item);
    ::PostMessageA(frame, WM_COMMAND, id, 0);
}

}  // namespace rt::win32::test
