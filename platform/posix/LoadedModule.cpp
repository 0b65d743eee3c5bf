#include "LoadedModule.h"

#include <dlfcn.h>

#include <utility>

namespace rt {

rt::Result<LoadedModule, ModuleLoadError> LoadedModule::open(const std::string& path) {
    // Every library the module needs is loaded here and the symbol versions
    // it was built against are checked (Qt adds one with each minor release),
    // so a missing or too old library fails now, with its name, rather than
    // in the middle of drawing a window. Functions are bound when first
    // called, as in a program started normally: binding all of the toolkit's
    // at once was a tenth of the module's loading, spent on functions most
    // runs never call. Closing the last handle leaves the code mapped until
    // the process ends: a toolkit's global objects and helper threads are not
    // made to be unloaded, and unmapping some fifty libraries would only add
    // milliseconds to the exit.
    void* handle = dlopen(path.c_str(), RTLD_LAZY | RTLD_LOCAL | RTLD_NODELETE);
    if (handle == nullptr) {
        const char* reason = dlerror();
        return ModuleLoadError{reason != nullptr ? reason : "cannot load " + path};
    }
    return LoadedModule(handle);
}

LoadedModule::~LoadedModule() {
    unload();
}

LoadedModule::LoadedModule(LoadedModule&& other) noexcept
    : m_handle(std::exchange(other.m_handle, nullptr)) {}

LoadedModule& LoadedModule::operator=(LoadedModule&& other) noexcept {
    if (this != &other) {
        unload();
        m_handle = std::exchange(other.m_handle, nullptr);
    }
    return *this;
}

void* LoadedModule::symbol(const char* name) const {
    return m_handle != nullptr ? dlsym(m_handle, name) : nullptr;
}

void LoadedModule::unload() {
    if (m_handle != nullptr) {
        dlclose(m_handle);
        m_handle = nullptr;
    }
}

}  // namespace rt
