#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <string>

#include "platform/system/SystemServices.h"

namespace rt::test {

// Answers as a chosen machine would: platform id, directories and the version
// text of chosen files. Version blocks are a private format of this fake:
// "FAKE", the string-table key, a NUL, the value, a NUL.
class FakeSystemServices : public rt::SystemServices {
  public:
    std::string cwd;
    std::string systemDir;
    std::string windowsDir;
    rt::os::DWORD platformId = rt::os::kPlatformWindows95Family;
    bool versionRequestFails = false;
    // Reads version information from the files themselves, as the program does.
    bool readsRealFiles = false;

    // Registers a file's FileVersion value under a string-table key.
    void setVersion(const std::string& path, const std::string& value, const std::string& table = "040904E4");
    // Makes every later version read answer with what `next` returns (for run-tagged values).
    void setVersionSource(std::function<std::string()> next);
    int versionReads() const { return m_reads.load(); }

    rt::os::BOOL getVersion(rt::os::OSVERSIONINFOA& info) override;
    rt::os::DWORD fileVersionInfoSize(const char* fileName, rt::os::DWORD* handle) override;
    rt::os::BOOL fileVersionInfo(const char* fileName, rt::os::DWORD handle, rt::os::DWORD length,
                                 void* data) override;
    rt::os::BOOL queryVersionValue(const void* block, const char* subBlock, void** buffer,
                                   rt::os::UINT* length) override;
    std::error_code versionReadFailure() override;

  protected:
    std::string askCurrentDirectory() override { return cwd; }
    std::string askSystemDirectory() override { return systemDir; }
    std::string askWindowsDirectory() override { return windowsDir; }

  private:
    std::string blockFor(const std::string& path, bool sizeQuery);

    std::mutex m_mutex;
    std::map<std::string, std::string> m_blocks;
    std::function<std::string()> m_source;
    std::atomic<int> m_reads{0};
};

}  // namespace rt::test
