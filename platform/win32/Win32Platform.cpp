#include "Win32Platform.h"

#include <windows.h>

namespace rt {

// GetVersion sets its top bit on the 95 family alone, and unlike the
// extended call it needs no record and cannot fail.
bool isWindows95Family() {
    constexpr DWORD kNotNt = 0x80000000u;
    return (::GetVersion() & kNotNt) != 0;
}

bool hasReparsePoints() {
    constexpr DWORD kWindows2000 = 5;
    const DWORD majorVersion = ::GetVersion() & 0xFFu;
    return !isWindows95Family() && majorVersion >= kWindows2000;
}

}  // namespace rt
