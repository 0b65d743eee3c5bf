#pragma once

#include <cstdint>

// The Windows kernel and version services that the check calls by name. They
// live in namespace os so that the same call reads the same on every platform:
// on Windows they forward to the system, elsewhere to this program's stand-ins.
// Either way they answer through the installed SystemServices, which tests replace.
namespace rt::os {

using DWORD = std::uint32_t;
using UINT = unsigned int;
using BOOL = int;

struct OSVERSIONINFOA {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    char szCSDVersion[128];
};
static_assert(sizeof(OSVERSIONINFOA) == 148);

inline constexpr DWORD kPlatformWindows95Family = 1;  // VER_PLATFORM_WIN32_WINDOWS
inline constexpr DWORD kPlatformWindowsNt = 2;        // VER_PLATFORM_WIN32_NT

BOOL GetVersionExA(OSVERSIONINFOA* info);
// Both return the length copied without the NUL, or the size needed (NUL
// included) when the buffer is too small, or 0 on failure.
UINT GetSystemDirectoryA(char* buffer, UINT size);
UINT GetWindowsDirectoryA(char* buffer, UINT size);

DWORD GetFileVersionInfoSizeA(const char* fileName, DWORD* handle);
BOOL GetFileVersionInfoA(const char* fileName, DWORD handle, DWORD length, void* data);
BOOL VerQueryValueA(const void* block, const char* subBlock, void** buffer, UINT* length);

}  // namespace rt::os
