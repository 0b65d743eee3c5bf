#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <system_error>

#include "platform/base/Result.h"

namespace rt {

// The cross-process lock of a report folder on Windows: a named kernel mutex
// whose name is derived from the folder's full path. It leaves nothing in the
// folder, and the system hands it on when a holder dies (the next taker sees
// it abandoned, which is harmless: every report write is whole-file). It only
// excludes processes on this machine; runs on other machines sharing the
// folder are not held off, and whole-file publishing is what keeps the report
// well-formed then.
//
// A Windows mutex belongs to the thread that took it, so the same thread must
// release it; a check run takes and releases its lock on one thread. The held
// mutex is the caller's, given back through unlockFolderMutex: the Windows
// file system hands it out as a LockedFolder, which does.
rt::Result<HANDLE, std::error_code> tryLockFolderMutex(const char* folder);
void unlockFolderMutex(HANDLE mutex);

// The mutex name for an absolute folder path. Spellings that name the same
// folder on a case-insensitive file system (letter case, "/" for "\", a
// trailing separator) give the same name.
std::string folderMutexName(std::string_view fullPath);

}  // namespace rt
