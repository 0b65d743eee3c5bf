#pragma once

#include "../WinApi.h"

// The portable version-information services: what the Windows 95 family's
// GetFileVersionInfoSizeA, GetFileVersionInfoA and VerQueryValueA answer,
// computed from the file's own bytes.
namespace version {

os::DWORD fileVersionInfoSize(const char* fileName, os::DWORD* handle);
os::BOOL fileVersionInfo(const char* fileName, os::DWORD handle, os::DWORD length, void* data);
os::BOOL queryVersionValue(const void* block, const char* subBlock, void** buffer, os::UINT* length);

}  // namespace version
