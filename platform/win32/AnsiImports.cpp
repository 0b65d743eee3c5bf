// Stand-ins for two wide-character KERNEL32 services that the toolchain's
// own libraries import: the thread support of libgcc (its locks) creates
// unnamed semaphores with CreateSemaphoreW, and the C runtime's rand_s, which
// libstdc++ links whether or not it is used, loads a DLL by a wide name. Both
// are stubs on Windows 95, 98 and Me that fail every call. Each stand-in takes
// the import's place (the import table then names the ANSI service instead)
// and does the same with the ANSI form, which every Windows has.
//
// These objects are linked into every program directly, not from an archive:
// the libraries that refer to the imports come last on the link line, after
// any archive member defining them would have been passed over.
#include <windows.h>

#include <string>

namespace {

// Empty when the name cannot be converted; no name given here ever lies
// outside the ANSI code page.
std::string narrowed(LPCWSTR name) {
    const int size = ::WideCharToMultiByte(CP_ACP, 0, name, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        return {};
    }
    std::string narrow(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, name, -1, narrow.data(), size, nullptr, nullptr);
    narrow.resize(narrow.size() - 1);
    return narrow;
}

HANDLE WINAPI createSemaphore(LPSECURITY_ATTRIBUTES attributes, LONG initial, LONG maximum, LPCWSTR name) {
    if (name == nullptr) {
        return ::CreateSemaphoreA(attributes, initial, maximum, nullptr);
    }
    const auto narrow = narrowed(name);
    if (narrow.empty()) {
        ::SetLastError(ERROR_INVALID_NAME);
        return nullptr;
    }
    return ::CreateSemaphoreA(attributes, initial, maximum, narrow.c_str());
}

HMODULE WINAPI loadLibrary(LPCWSTR name) {
    const auto narrow = name != nullptr ? narrowed(name) : std::string();
    if (narrow.empty()) {
        ::SetLastError(ERROR_INVALID_NAME);
        return nullptr;
    }
    return ::LoadLibraryA(narrow.c_str());
}

}  // namespace

// The import slots themselves, under the names the linker looks for.
#if defined(__i386__)
#define KELDWICK_IMPORT_SLOT(name, bytes) "__imp__" #name "@" #bytes
#else
#define KELDWICK_IMPORT_SLOT(name, bytes) "__imp_" #name
#endif

extern "C" {
extern const void* const keldwickCreateSemaphoreW __asm__(KELDWICK_IMPORT_SLOT(CreateSemaphoreW, 16));
const void* const keldwickCreateSemaphoreW = reinterpret_cast<const void*>(&createSemaphore);
extern const void* const keldwickLoadLibraryW __asm__(KELDWICK_IMPORT_SLOT(LoadLibraryW, 4));
const void* const keldwickLoadLibraryW = reinterpret_cast<const void*>(&loadLibrary);
}
