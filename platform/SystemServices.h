#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "WinApi.h"

namespace rt {

// What the check asks of the operating system: its version record, the
// current, system and Windows directories, and the version-information
// services. The process has one installed implementation; tests install their
// own so that no answer depends on the machine the tests run on.
class SystemServices {
  public:
    virtual ~SystemServices() = default;

    // Empty when the current directory cannot be read (deleted, no permission, too long).
    virtual std::string currentDirectory() = 0;
    virtual os::BOOL getVersion(os::OSVERSIONINFOA& info) = 0;
    // Empty when the platform has no such directory.
    virtual std::string systemDirectory() = 0;
    virtual std::string windowsDirectory() = 0;

    virtual os::DWORD fileVersionInfoSize(const char* fileName, os::DWORD* handle) = 0;
    virtual os::BOOL fileVersionInfo(const char* fileName, os::DWORD handle, os::DWORD length,
                                     void* data) = 0;
    virtual os::BOOL queryVersionValue(const void* block, const char* subBlock, void** buffer,
                                       os::UINT* length) = 0;
};

// The machine's own services, chosen per platform.
std::unique_ptr<SystemServices> makeNativeSystemServices();

SystemServices& systemServices();

// Installs a replacement for its lifetime. Install before starting threads
// that use the services, and keep one installed at a time.
class ScopedSystemServices {
  public:
    explicit ScopedSystemServices(SystemServices& replacement);
    ~ScopedSystemServices();
    ScopedSystemServices(const ScopedSystemServices&) = delete;
    ScopedSystemServices& operator=(const ScopedSystemServices&) = delete;

  private:
    SystemServices* m_previous;
};

}  // namespace rt
