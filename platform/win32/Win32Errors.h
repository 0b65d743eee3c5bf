#pragma once

#include <windows.h>

#include <system_error>

namespace rt {

// A Windows error as an error code. The errors that callers test for by
// meaning (missing file, existing name, link, lock held, a service that the
// 95 family has only as a stub) come out as the portable std::errc values;
// the rest keep their Windows number.
std::error_code win32Error(DWORD error);
std::error_code lastWin32Error();

}  // namespace rt
