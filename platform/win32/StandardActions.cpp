#include "StandardActions.h"

#include <commdlg.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "../Paths.h"

namespace rt::win32 {

namespace {

// The bundled HTML help lies in "help" beside the program.
constexpr const char* kHelpFolder = "help\\";
constexpr const char* kHelpContents = "index.html";

const char* helpPage(StandardAction action) {
    switch (action) {
        case StandardAction::HelpSearch:
            return "search.html";
        case StandardAction::HelpOnHelp:
            return "using-help.html";
        default:
            return kHelpContents;
    }
}

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

bool isFile(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

FocusedControl classify(HWND focused) {
    if (focused == nullptr) {
        return FocusedControl::None;
    }
    char className[16] = {};
    ::GetClassNameA(focused, className, sizeof className);
    if (::lstrcmpiA(className, "Edit") != 0) {
        return FocusedControl::Other;
    }
    const auto style = static_cast<DWORD>(::GetWindowLongPtrA(focused, GWL_STYLE));
    return (style & ES_READONLY) != 0 ? FocusedControl::ReadOnlyEdit : FocusedControl::Edit;
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

StandardActions::~StandardActions() {
    if (m_devMode != nullptr) {
        ::GlobalFree(m_devMode);
    }
    if (m_devNames != nullptr) {
        ::GlobalFree(m_devNames);
    }
}

void StandardActions::attach(HWND frame, HWND client) {
    m_frame = frame;
    m_client = client;
}

bool StandardActions::carryOut(StandardAction action) {
    switch (action) {
        case StandardAction::Tile:
            ::SendMessageA(m_client, WM_MDITILE, MDITILE_VERTICAL | MDITILE_SKIPDISABLED, 0);
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
            openHelp(action);
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

// A set-up the person cancels changes nothing; one that fails (no printer
// installed) says so with the warning sound, as the dialog shows nothing then.
void StandardActions::printerSetup() {
    PRINTDLGA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = m_frame;
    dialog.hDevMode = m_devMode;
    dialog.hDevNames = m_devNames;
    dialog.Flags = PD_PRINTSETUP;
    const BOOL chosen = ::PrintDlgA(&dialog);
    m_devMode = dialog.hDevMode;
    m_devNames = dialog.hDevNames;
    if (chosen == 0 && ::CommDlgExtendedError() != 0) {
        ::MessageBeep(MB_ICONHAND);
    }
}

void StandardActions::openHelp(StandardAction action) {
    const auto folder = programFolder() + kHelpFolder;
    auto page = folder + helpPage(action);
    if (!isFile(page)) {
        page = folder + kHelpContents;
    }
    // ShellExecute reports success with a value above 32.
    constexpr INT_PTR kLastFailure = 32;
    if (!isFile(page) || reinterpret_cast<INT_PTR>(::ShellExecuteA(m_frame, "open", page.c_str(), nullptr,
                                                                   nullptr, SW_SHOWNORMAL)) <= kLastFailure) {
        ::MessageBeep(MB_ICONHAND);
    }
}

void StandardActions::clipboard(StandardAction action) {
    HWND focused = ::GetFocus();
    if (const UINT message = messageOf(clipboardMessageFor(action, classify(focused))); message != 0) {
        ::SendMessageA(focused, message, 0, 0);
    }
}

}  // namespace rt::win32
