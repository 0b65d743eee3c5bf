#pragma once

#include <string>

namespace rt {

// The current directory as text; empty when it cannot be read (deleted, no
// permission, longer than the platform's paths), never a cut or relative path.
std::string currentDirectory();

// 0 when something exists at the path (mode 0 asks for existence only), else -1.
int _access(const char* path, int mode);

// Deletes a file if present. Directories are never removed, even empty ones.
int _remove(const char* path);

}  // namespace rt
