#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <system_error>

#include "WinApi.h"
#include "platform/base/InstalledService.h"

namespace rt {

// What the check asks of the operating system: its version record, the
// current, system and Windows directories, and the version-information
// services. The process has one installed implementation; tests install their
// own so that no answer depends on the machine the tests run on.
class SystemServices {
  public:
    virtual ~SystemServices() = default;

    // Each directory comes whole or not at all: empty where the platform has
    // none, where it cannot be read (deleted, no permission), and where it
    // would not fit a path buffer of kMaxPath with its NUL, since a cut
    // directory would name another one. This is the one place that rule is
    // kept; implementations answer with what the system says.
    std::string currentDirectory() { return wholeDirectory(askCurrentDirectory()); }
    std::string systemDirectory() { return wholeDirectory(askSystemDirectory()); }
    std::string windowsDirectory() { return wholeDirectory(askWindowsDirectory()); }

    virtual os::BOOL getVersion(os::OSVERSIONINFOA& info) = 0;

    virtual os::DWORD fileVersionInfoSize(const char* fileName, os::DWORD* handle) = 0;
    virtual os::BOOL fileVersionInfo(const char* fileName, os::DWORD handle, os::DWORD length,
                                     void* data) = 0;
    virtual os::BOOL queryVersionValue(const void* block, const char* subBlock, void** buffer,
                                       os::UINT* length) = 0;
    // Why the last fileVersionInfoSize or fileVersionInfo on this thread could
    // not read its file at all (no permission, an I/O error, no memory or
    // descriptors left); empty where it read the file, whatever it found.
    virtual std::error_code versionReadFailure() { return {}; }

  protected:
    // The directories as the system names them, however long; empty for none.
    virtual std::string askCurrentDirectory() = 0;
    virtual std::string askSystemDirectory() = 0;
    virtual std::string askWindowsDirectory() = 0;

  private:
    static std::string wholeDirectory(std::string answer);
};

// The machine's own services, chosen per platform.
std::unique_ptr<SystemServices> makeNativeSystemServices();

using InstalledSystemServices = InstalledService<SystemServices, makeNativeSystemServices>;
extern template class InstalledService<SystemServices, makeNativeSystemServices>;

inline SystemServices& systemServices() {
    return InstalledSystemServices::get();
}

// Installs a replacement for its lifetime. Install before starting threads
// that use the services, and keep one installed at a time.
using ScopedSystemServices = InstalledSystemServices::Scope;

}  // namespace rt
