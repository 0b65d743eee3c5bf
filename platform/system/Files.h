#pragma once

#include <string>
#include <system_error>

namespace rt {

// The current directory as text; empty when it cannot be read (deleted, no
// permission, longer than the platform's paths), never a cut or relative path.
std::string currentDirectory();

// 0 when something exists at the path (mode 0 asks for existence only), and
// where the system cannot tell (so that the caller learns why when it opens
// it); -1 where surely nothing is there.
int _access(const char* path, int mode);

// Why the last version-information call on this thread could not read its
// file at all; empty where it read the file, whatever it found in it.
std::error_code versionReadFailure();

// Deletes a file if present. Directories are never removed, even empty ones.
int _remove(const char* path);

// What Windows would find at `path` where names keep their letter case (on
// Linux, a Wine prefix may hold "vredir.vxd"): the path of an existing entry
// in the same folder whose name differs from the path's only in ASCII letter
// case, the first in byte order when there are several. Empty when there is
// none. The exact name is not among the answers: callers try it first.
std::string pathInOtherCase(const std::string& path);

}  // namespace rt
