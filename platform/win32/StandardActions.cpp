#include "StandardActions.h"

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "HelpPages.h"
#include "platform/base/Paths.h"
#include "platform/filesystem/FileSystem.h"
#include "platform/window/WindowArrangement.h"

namespace rt::win32 {

namespace {

// The bundled HTML help lies in "help" beside the program.
constexpr const char* kHelpFolder = "help\\";
// Enough of a page to hold its head, where it names its window.
constexpr std::size_t kPageHeadBytes = 1024;

std::string programFolder() {
    std::vector<char> path(kMaxPath);
    const DWORD length = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0 || length >= path.size()) {
        return {};
    }
    const std::string full(path.data(), length);
    const auto cut = full.find_last_of("\\/");
    return cut == std::string::npos ? std::string() : full.substr(0, cut + 1);
}

// Why the file cannot be opened before the shell is even asked; empty when it
// is there.
std::string missingFileReason(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return {};
    }
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        return "It is a folder, not a page.";
    }
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
        return "The file does not exist. The help pages belong in the folder \"help\" beside the program.";
    }
    char text[256] = {};
    ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                     sizeof text, nullptr);
    return text[0] != 0 ? std::string(text) : "The system gave error " + std::to_string(error) + ".";
}

std::string windowText(HWND window) {
    char text[256] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

UINT messageOf(ClipboardMessage message) {
    switch (message) {
        case ClipboardMessage::Cut:
            return WM_CUT;
        case ClipboardMessage::Copy:
            return WM_COPY;
        case ClipboardMessage::Paste:
            return WM_PASTE;
        case ClipboardMessage::None:
            break;
    }
    return 0;
}

}  // namespace

FocusedText classifyFocus(HWND focused) {
    if (focused == nullptr) {
        return FocusedText::None;
    }
    char className[16] = {};
    ::GetClassNameA(focused, className, sizeof className);
    if (::lstrcmpiA(className, "Edit") != 0) {
        return FocusedText::None;
    }
    const auto style = static_cast<DWORD>(::GetWindowLongPtrA(focused, GWL_STYLE));
    return (style & ES_READONLY) != 0 ? FocusedText::ReadOnly : FocusedText::Editable;
}

bool hasSelection(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start != end;
}

void StandardActions::attach(HWND frame, HWND client, ActiveValues activeValues, OpenedWindows opened) {
    m_frame = frame;
    m_client = client;
    m_activeValues = std::move(activeValues);
    m_openedWindows = std::move(opened);
}

bool StandardActions::carryOut(StandardAction action) {
    switch (action) {
        case StandardAction::Tile:
            tile();
            return true;
        case StandardAction::Cascade:
            ::SendMessageA(m_client, WM_MDICASCADE, MDITILE_SKIPDISABLED, 0);
            return true;
        case StandardAction::ArrangeIcons:
            ::SendMessageA(m_client, WM_MDIICONARRANGE, 0, 0);
            return true;
        case StandardAction::HelpContents:
        case StandardAction::HelpOnHelp:
        case StandardAction::HelpSearch:
            openHelp(helpPageFor(action));
            return true;
        case StandardAction::Cut:
        case StandardAction::Copy:
        case StandardAction::Paste:
            clipboard(action);
            return true;
        case StandardAction::PrinterSetup:
            printerSetup();
            return true;
        default:
            return false;
    }
}

// The system's tiling resizes every window to its share of the area, which
// cuts windows with a fixed frame off. Those keep their size and are laid out
// in a grid above the icons instead (WindowArrangement.h); only where every
// window can be sized does the system tile them.
void StandardActions::tile() {
    std::vector<HWND> windows;
    bool allSizable = true;
    for (HWND child : m_openedWindows()) {
        if (::IsWindowVisible(child) == 0) {
            continue;
        }
        if (::IsZoomed(child) != 0) {
            ::SendMessageA(m_client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0);
        }
        if (::IsIconic(child) == 0) {
            windows.push_back(child);
            allSizable = allSizable && (::GetWindowLongPtrA(child, GWL_STYLE) & WS_THICKFRAME) != 0;
        }
    }
    if (allSizable) {
        ::SendMessageA(m_client, WM_MDITILE, MDITILE_VERTICAL | MDITILE_SKIPDISABLED, 0);
        return;
    }
    ::SendMessageA(m_client, WM_MDIICONARRANGE, 0, 0);
    RECT area{};
    ::GetClientRect(m_client, &area);
    const auto style = static_cast<DWORD>(::GetWindowLongPtrA(m_client, GWL_STYLE));
    TileArea room{
        {static_cast<int>(area.right) + ((style & WS_VSCROLL) != 0 ? ::GetSystemMetrics(SM_CXVSCROLL) : 0),
         static_cast<int>(area.bottom) + ((style & WS_HSCROLL) != 0 ? ::GetSystemMetrics(SM_CYHSCROLL) : 0)}};
    room.scrollBar = ::GetSystemMetrics(SM_CXVSCROLL);
    LONG iconTop = area.bottom;
    for (HWND child = ::GetWindow(m_client, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::IsIconic(child) != 0 && ::IsWindowVisible(child) != 0) {
            RECT icon{};
            ::GetWindowRect(child, &icon);
            ::MapWindowPoints(HWND_DESKTOP, m_client, reinterpret_cast<POINT*>(&icon), 2);
            iconTop = std::min(iconTop, icon.top);
        }
    }
    room.iconHeight = static_cast<int>(area.bottom - iconTop);
    std::vector<PixelSize> sizes;
    for (HWND window : windows) {
        RECT outer{};
        ::GetWindowRect(window, &outer);
        sizes.push_back({outer.right - outer.left, outer.bottom - outer.top});
    }
    const auto positions = tilePositions(sizes, room);
    for (std::size_t i = 0; i < windows.size(); ++i) {
        ::SetWindowPos(windows[i], nullptr, positions[i].x, positions[i].y, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    showNeededScrollBars(room.visible);
}

// The client shows its scroll bars only while they are needed, and some
// systems (Wine) then forget that it may have them at all, so windows below
// the view could not be reached. Those the windows now need are shown; the
// change of size has the client work their ranges out anew.
void StandardActions::showNeededScrollBars(PixelSize visible) {
    RECT extent{};
    for (HWND child = ::GetWindow(m_client, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::IsWindowVisible(child) != 0) {
            RECT at{};
            ::GetWindowRect(child, &at);
            ::MapWindowPoints(HWND_DESKTOP, m_client, reinterpret_cast<POINT*>(&at), 2);
            ::UnionRect(&extent, &extent, &at);
        }
    }
    const int bar = ::GetSystemMetrics(SM_CXVSCROLL);
    bool down = extent.top < 0 || extent.bottom > visible.height;
    const bool across = extent.left < 0 || extent.right > visible.width - (down ? bar : 0);
    down = down || (across && extent.bottom > visible.height - bar);
    ::ShowScrollBar(m_client, SB_VERT, down ? TRUE : FALSE);
    ::ShowScrollBar(m_client, SB_HORZ, across ? TRUE : FALSE);
}

// A set-up the person cancels changes nothing; one that fails (no printer
// installed) says so with the warning sound, as the dialog shows nothing then.
void StandardActions::printerSetup() {
    PRINTDLGA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = m_frame;
    // The dialog may free the settings it is given and hand back new ones.
    dialog.hDevMode = m_devMode.release();
    dialog.hDevNames = m_devNames.release();
    dialog.Flags = PD_PRINTSETUP;
    const BOOL chosen = ::PrintDlgA(&dialog);
    m_devMode.reset(dialog.hDevMode);
    m_devNames.reset(dialog.hDevNames);
    if (chosen == 0 && ::CommDlgExtendedError() != 0) {
        ::MessageBeep(MB_ICONHAND);
    }
}

// The first page of the help folder whose head names the window; pages are
// small and few, and only their beginnings are read.
void StandardActions::openHelpFor(const std::string& windowKey) {
    const std::string folder = programFolder() + kHelpFolder;
    auto& files = rt::fileSystem();
    const auto entries = files.listFolder(folder.c_str(), "");
    if (!windowKey.empty() && entries) {
        for (const auto& entry : entries.value()) {
            if (!entry.isRegular || !isHelpPage(entry.name)) {
                continue;
            }
            auto page = files.openForReading((folder + entry.name).c_str(), FileSystem::Follow::Links);
            std::array<std::byte, kPageHeadBytes> head{};
            const auto read = page ? files.readAt(page.value(), 0, head) : std::error_code{};
            if (read &&
                pageNamesWindow({reinterpret_cast<const char*>(head.data()), read.value()}, windowKey)) {
                openHelp(entry.name.c_str());
                return;
            }
        }
    }
    openHelp(helpPageFor(StandardAction::HelpContents));
}

// Where no program opens .html files (a bare Windows 95), or the page is
// missing, the person is told which file was tried and why.
void StandardActions::openHelp(const char* file) {
    const auto page = programFolder() + kHelpFolder + file;
    std::string reason = missingFileReason(page);
    if (reason.empty()) {
        // The shell answers success with a value above 32.
        constexpr INT_PTR kLastFailure = 32;
        const auto answer = reinterpret_cast<INT_PTR>(
            ::ShellExecuteA(m_frame, "open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
        if (answer > kLastFailure) {
            return;
        }
        reason = shellFailureReason(answer);
    }
    ::MessageBoxA(m_frame, helpFailureMessage(page, reason).c_str(), windowText(m_frame).c_str(),
                  MB_OK | MB_ICONEXCLAMATION);
}

// A value display gives its selection away, or its whole value when nothing
// is selected; with no value display focused, Copy takes every value of the
// active window with its label.
void StandardActions::clipboard(StandardAction action) {
    HWND focused = ::GetFocus();
    const UINT message = messageOf(clipboardMessageFor(action, classifyFocus(focused)));
    if (message == WM_COPY) {
        if (!hasSelection(focused)) {
            std::vector<char> text(static_cast<std::size_t>(::GetWindowTextLengthA(focused)) + 1);
            ::GetWindowTextA(focused, text.data(), static_cast<int>(text.size()));
            (void)putOnClipboard(text.data());
            return;
        }
    }
    if (message != 0) {
        ::SendMessageA(focused, message, 0, 0);
        return;
    }
    if (action == StandardAction::Copy && m_activeValues) {
        if (const auto values = m_activeValues(); !values.empty()) {
            (void)putOnClipboard(values);
        }
    }
}

// Another program (a clipboard viewer) may hold the clipboard for a moment,
// so opening it is tried a few times before the copy is given up.
bool StandardActions::putOnClipboard(const std::string& text) {
    GlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1));
    if (!memory) {
        return false;
    }
    if (void* bytes = ::GlobalLock(memory.get()); bytes != nullptr) {
        std::memcpy(bytes, text.c_str(), text.size() + 1);
        ::GlobalUnlock(memory.get());
    }
    constexpr int kTries = 10;
    constexpr DWORD kPause = 20;
    bool opened = false;
    for (int attempt = 0; attempt < kTries && !opened; ++attempt) {
        opened = ::OpenClipboard(m_frame) != 0;
        if (!opened) {
            ::Sleep(kPause);
        }
    }
    if (!opened) {
        return false;
    }
    ::EmptyClipboard();
    // Once set, the memory belongs to the clipboard.
    const bool placed = ::SetClipboardData(CF_TEXT, memory.get()) != nullptr;
    ::CloseClipboard();
    if (placed) {
        (void)memory.release();
    }
    return placed;
}

}  // namespace rt::win32
