#include "ProgramRun.h"

#include <cstdlib>
#include <vector>

namespace rt::win32::test {

namespace {

constexpr DWORD kPollMilliseconds = 50;
constexpr UINT kReplyMilliseconds = 2000;

struct FrameSearch {
    DWORD process = 0;
    HWND frame = nullptr;
};

BOOL CALLBACK matchFrame(HWND window, LPARAM search) {
    auto* wanted = reinterpret_cast<FrameSearch*>(search);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    char className[32] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (owner == wanted->process && std::string(className) == "KeldwickFrame") {
        wanted->frame = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

ProgramRun::ProgramRun(const std::string& folder, const std::string& parameters) {
    const char* program = std::getenv("KELDWICK_PROGRAM");
    if (program == nullptr) {
        return;
    }
    std::string commandLine = "\"" + std::string(program) + "\" " + parameters;
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (::CreateProcessA(program, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                         &startup, &m_process) == 0) {
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
    FrameSearch search{m_process.dwProcessId, nullptr};
    for (DWORD waited = 0; search.frame == nullptr && waited < milliseconds; waited += kPollMilliseconds) {
        ::EnumWindows(&matchFrame, reinterpret_cast<LPARAM>(&search));
        if (search.frame == nullptr) {
            ::Sleep(kPollMilliseconds);
        }
    }
    return search.frame;
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

}  // namespace rt::win32::test
