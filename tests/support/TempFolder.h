#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace rt::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
  public:
    TempFolder();
    // The same under `parent`, for trees of many files that a memory file system makes quick.
    explicit TempFolder(const std::filesystem::path& parent);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::string str() const { return m_path.string(); }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }
    // The names of what the folder holds, in byte order.
    std::vector<std::string> names() const;

  private:
    std::filesystem::path m_path;
};

std::string readWholeFile(const std::filesystem::path& path);
void writeWholeFile(const std::filesystem::path& path, const std::string& bytes);

}  // namespace rt::test
