#pragma once

#include <cstdint>
#include <system_error>

// The portable version-information services: what the Windows 95 family's
// GetFileVersionInfoSizeA, GetFileVersionInfoA and VerQueryValueA answer,
// computed from the file's own bytes, in the types those calls take
// (DWORD, BOOL, UINT). The POSIX system services answer the rt::os calls
// with them.
//
// The contract, and where it departs from Windows:
// - fileVersionInfoSize returns the size of the block that fileVersionInfo
//   will write, 0 when the file has no readable version information, and
//   stores the file offset of the version data in *handle, as Windows 95 did.
//   The size is never above 0xFFFF.
// - fileVersionInfo reads the file anew and finds the block again; the handle
//   is not trusted (another file may have data at the same offset). It writes
//   the block in the 16-bit layout whatever the file holds, as Windows 95
//   converted 32-bit blocks. The block is rebuilt, so every string ends with
//   a NUL inside its node. A shorter buffer gets a cut block whose root length
//   is lowered to what was written, so a query never reads past it; under 4
//   bytes it fails. A file that grew between the two calls gets such a cut:
//   a string-table entry cut with it has lost its NUL, which the query then
//   does not find, so a change between the calls never gives a cut text.
// - queryVersionValue answers on the block alone, walking only within its
//   root length; see queryAnsiBlock for the rules and the deviations.
// A detailed reason for any failure is available through loadVersionInfo
// (VersionFile.h); at this boundary every failure is 0.
namespace rt::version {

std::uint32_t fileVersionInfoSize(const char* fileName, std::uint32_t* handle);
int fileVersionInfo(const char* fileName, std::uint32_t handle, std::uint32_t length, void* data);
int queryVersionValue(const void* block, const char* subBlock, void** buffer, unsigned int* length);

// Why the last fileVersionInfoSize or fileVersionInfo on this thread could not
// read its file (it could not be opened, examined or read): the system's error.
// Empty where that call read the file, whatever it found in it.
std::error_code lastReadFailure();

}  // namespace rt::version
