#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace rt::win32::test {

// A fresh folder under the temporary folder, removed with everything in it.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "\\" + name; }

  private:
    std::string m_path;
};

void writeFile(const std::string& path, const std::vector<std::byte>& bytes);
// Empty when the file cannot be read.
std::string readFile(const std::string& path);

// The folder of this test program, with a trailing separator.
std::string programFolder();

// The Windows version the test script set the Wine prefix to ("win95", "nt40", ...).
std::string prefixVersion();
// True when that version is one of the 95 family: 95, 98 or Me.
bool prefixIsWindows95Family();

}  // namespace rt::win32::test
