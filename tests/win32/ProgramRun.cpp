#include "ProgramRun.h"

#include <cstdlib>
#include <vector>

namespace rt::win32::test {

namespace {

constexpr DWORD kPollMilliseconds = 50;
constexpr UINT kReplyMilliseconds = 2000;

struct WindowSearch {
    DWORD process = 0;
    const char* className = nullptr;
    HWND found = nullptr;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM search) {
    auto* wanted = reinterpret_cast<WindowSearch*>(search);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    char className[32] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (owner == wanted->process && std::string(className) == wanted->className) {
        wanted->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND waitForWindow(DWORD process, const char* className, DWORD milliseconds) {
    WindowSearch search{process, className, nullptr};
    for (DWORD waited = 0; search.found == nullptr && waited < milliseconds; waited += kPollMilliseconds) {
        ::EnumWindows(&matchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) {
            ::Sleep(kPollMilliseconds);
        }
    }
    return search.found;
}

}  // namespace

ProgramRun::ProgramRun(const std::string& folder, const std::string& parameters, HANDLE output,
                       DWORD creationFlags) {
    const char* program = std::getenv("KELDWICK_PROGRAM");
    if (program == nullptr) {
        return;
    }
    std::string commandLine = "\"" + std::string(program) + "\" " + parameters;
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (output != nullptr) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
    }
    if (::CreateProcessA(program, writable.data(), nullptr, nullptr, output != nullptr ? TRUE : FALSE,
                         creationFlags, nullptr, folder.c_str(), &startup, &m_process) == 0) {
        m_process = {};
    }
}

ProgramRun::~ProgramRun() {
    if (m_process.hProcess == nullptr) {
        return;
    }
    if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(m_process.hProcess, 99);
        ::WaitForSingleObject(m_process.hProcess, 5000);
    }
    ::CloseHandle(m_process.hThread);
    ::CloseHandle(m_process.hProcess);
}

std::optional<DWORD> ProgramRun::waitForExit(DWORD milliseconds) {
    if (m_process.hProcess == nullptr ||
        ::WaitForSingleObject(m_process.hProcess, milliseconds) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD status = 0;
    ::GetExitCodeProcess(m_process.hProcess, &status);
    return status;
}

HWND ProgramRun::waitForFrame(DWORD milliseconds) const {
    return waitForWindow(m_process.dwProcessId, "KeldwickFrame", milliseconds);
}

HWND ProgramRun::waitForMessageBox(DWORD milliseconds) const {
    return waitForWindow(m_process.dwProcessId, "#32770", milliseconds);
}

std::string windowText(HWND window) {
    char text[256] = {};
    DWORD_PTR copied = 0;
    if (window == nullptr ||
        ::SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                              SMTO_ABORTIFHUNG, kReplyMilliseconds, &copied) == 0) {
        return {};
    }
    return std::string(text, copied);
}

std::string staticTexts(HWND window) {
    std::string texts;
    for (HWND part = ::GetWindow(window, GW_CHILD); part != nullptr; part = ::GetWindow(part, GW_HWNDNEXT)) {
        char className[16] = {};
        ::GetClassNameA(part, className, sizeof className);
        if (::lstrcmpiA(className, "Static") == 0) {
            texts += windowText(part);
        }
    }
    return texts;
}

}  // namespace rt::win32::test
