#pragma once

#include <string>

#include "platform/base/Result.h"

namespace rt {

// Why a shared library could not be loaded, as the system's loader says it.
struct ModuleLoadError {
    std::string reason;
};

// A shared library loaded into the process, and its handle held for as long
// as this object lives.
class LoadedModule {
  public:
    static rt::Result<LoadedModule, ModuleLoadError> open(const std::string& path);

    LoadedModule() = default;
    ~LoadedModule();
    LoadedModule(LoadedModule&& other) noexcept;
    LoadedModule& operator=(LoadedModule&& other) noexcept;
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    // The address of an exported symbol, or null.
    void* symbol(const char* name) const;

  private:
    explicit LoadedModule(void* handle) : m_handle(handle) {}
    void unload();

    void* m_handle = nullptr;
};

}  // namespace rt
