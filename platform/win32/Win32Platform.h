#pragma once

namespace rt {

// True on Windows 95, 98 and Me, where several services that later systems
// have exist only as stubs (a one-step replacing rename among them) or take
// fewer flags (no FILE_SHARE_DELETE, no stack reservation flag).
bool isWindows95Family();

// True from Windows 2000 on, whose file systems have links (reparse points)
// and whose CreateFile takes FILE_FLAG_OPEN_REPARSE_POINT; NT 4.0 has neither.
bool hasReparsePoints();

}  // namespace rt
