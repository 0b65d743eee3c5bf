#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace rt::win32::test {

// Runs the built program in its own process, in a chosen current folder, the
// way a person or a logon script would start it.
class ProgramRun {
  public:
    // The program named by KELDWICK_PROGRAM, started with `parameters`. An
    // output handle (inheritable) stands for a caller's redirection; the
    // creation flags may leave it no console to join (DETACHED_PROCESS).
    ProgramRun(const std::string& folder, const std::string& parameters, HANDLE output = nullptr,
               DWORD creationFlags = 0);
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    bool isStarted() const { return m_process.hProcess != nullptr; }
    // The exit status, or nothing when the program has not ended in time.
    std::optional<DWORD> waitForExit(DWORD milliseconds);

    // The frame of the program, once it shows one.
    HWND waitForFrame(DWORD milliseconds) const;
    // A message box of the program, once it shows one.
    HWND waitForMessageBox(DWORD milliseconds) const;

  private:
    PROCESS_INFORMATION m_process{};
};

// The text a window of another process holds, asked for with WM_GETTEXT.
std::string windowText(HWND window);
// The texts of a window's static controls, as a message box shows its message.
std::string staticTexts(HWND window);

}  // namespace rt::win32::test
