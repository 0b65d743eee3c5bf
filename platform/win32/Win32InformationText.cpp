#include <windows.h>

#include <string>

#include "Handles.h"
#include "platform/window/InformationText.h"

namespace rt {

namespace {

// AttachConsole came with Windows XP; the 95 family, NT 4.0 and 2000 lack it,
// so it is looked up rather than imported.
using AttachConsoleCall = BOOL(WINAPI*)(DWORD);
constexpr DWORD kParentProcess = static_cast<DWORD>(-1);

// What Windows tools read: lines end with CR LF.
std::string withCrLf(std::string_view text) {
    std::string lines;
    lines.reserve(text.size() + text.size() / 32);
    for (const char c : text) {
        if (c == '\n') {
            lines += '\r';
        }
        lines += c;
    }
    return lines;
}

bool writeAll(HANDLE out, std::string_view text) {
    while (!text.empty()) {
        DWORD written = 0;
        if (::WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) == 0 ||
            written == 0) {
            return false;
        }
        text.remove_prefix(written);
    }
    return true;
}

// A handle that the caller gave for the output (a file, a pipe, a console)
// answers to GetFileType; a desktop program started without one has a null
// handle or one that answers FILE_TYPE_UNKNOWN.
bool writesToStandardOutput(const std::string& lines) {
    HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
    return out != nullptr && out != INVALID_HANDLE_VALUE && ::GetFileType(out) != FILE_TYPE_UNKNOWN &&
           writeAll(out, lines);
}

// The console of the program that started this one, such as the command
// prompt the person typed into. That prompt does not wait for a desktop
// program and has shown itself again already, so the text starts on a line of
// its own.
bool writesToCallersConsole(const std::string& lines) {
    const auto attach = reinterpret_cast<AttachConsoleCall>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleA("KERNEL32.DLL"), "AttachConsole")));
    if (attach == nullptr || attach(kParentProcess) == 0) {
        return false;
    }
    bool written = false;
    {
        HANDLE opened = ::CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        const win32::KernelHandle console(opened == INVALID_HANDLE_VALUE ? nullptr : opened);
        written = console && writeAll(console.get(), "\r\n" + lines);
    }
    ::FreeConsole();
    return written;
}

}  // namespace

void showInformation(std::string_view text) {
    const auto lines = withCrLf(text);
    if (writesToStandardOutput(lines) || writesToCallersConsole(lines)) {
        return;
    }
    // A box needs no line end after its last line.
    const auto shown = lines.substr(0, lines.find_last_not_of("\r\n") + 1);
    ::MessageBoxA(nullptr, shown.c_str(), "keldwick", MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
}

}  // namespace rt
