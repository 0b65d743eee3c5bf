#pragma once

#include <string>

namespace rt {

// A shared library loaded into the process, and its handle held for as long
// as this object lives.
class LoadedModule {
  public:
    // An empty module with the reason in `error` when the file cannot be loaded.
    static LoadedModule open(const std::string& path, std::string& error);

    LoadedModule() = default;
    ~LoadedModule();
    LoadedModule(LoadedModule&& other) noexcept;
    LoadedModule& operator=(LoadedModule&& other) noexcept;
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    bool isLoaded() const { return m_handle != nullptr; }
    // The address of an exported symbol, or null.
    void* symbol(const char* name) const;

  private:
    explicit LoadedModule(void* handle) : m_handle(handle) {}
    void unload();

    void* m_handle = nullptr;
};

}  // namespace rt
