#include "WindowClass.h"

namespace rt::win32 {

namespace {

HICON programIcon(HINSTANCE instance, int sizeMetric) {
    const int size = ::GetSystemMetrics(sizeMetric);
    auto* icon = static_cast<HICON>(
        ::LoadImageA(instance, MAKEINTRESOURCEA(kProgramIconId), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    return icon != nullptr ? icon : ::LoadIcon(nullptr, IDI_APPLICATION);
}

}  // namespace

bool registerWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure, int backgroundColour,
                         UINT classStyle) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (::GetClassInfoExA(instance, name, &existing) != 0) {
        return true;
    }
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    // Loaded once for each class, which is never unregistered, so they live as
    // long as the program. Not LR_SHARED: Windows 95 would hand the first size
    // loaded out again for the other.
    windowClass.hIcon = programIcon(instance, SM_CXICON);
    windowClass.hIconSm = programIcon(instance, SM_CXSMICON);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(backgroundColour + 1));
    windowClass.lpszClassName = name;
    return ::RegisterClassExA(&windowClass) != 0;
}

}  // namespace rt::win32
