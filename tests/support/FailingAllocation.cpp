// Preloaded into the program (LD_PRELOAD) to make one allocation fail as a
// system out of memory would: the Nth call of malloc, calloc or realloc, N
// from KELDWICK_FAIL_ALLOCATION, counting from the process's start. With
// KELDWICK_COUNT_ALLOCATIONS set, it says at exit how many calls there were.
// The C library's own allocator does the real work.
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
}

namespace {

std::atomic<long> g_calls{0};

// Read once, before any allocation could fail: getenv itself allocates nothing.
long failingCall() {
    static const long n = [] {
        const char* value = std::getenv("KELDWICK_FAIL_ALLOCATION");
        return value != nullptr ? std::atol(value) : 0L;
    }();
    return n;
}

bool thisCallFails() {
    const long call = ++g_calls;
    if (call == failingCall()) {
        errno = ENOMEM;
        return true;
    }
    return false;
}

__attribute__((destructor)) void sayHowMany() {
    if (std::getenv("KELDWICK_COUNT_ALLOCATIONS") != nullptr) {
        char line[64];
        const int length = std::snprintf(line, sizeof line, "allocations: %ld\n", g_calls.load());
        (void)::write(STDERR_FILENO, line, static_cast<std::size_t>(length));
    }
}

}  // namespace

extern "C" {

void* malloc(std::size_t size) {
    return thisCallFails() ? nullptr : __libc_malloc(size);
}

void* calloc(std::size_t count, std::size_t size) {
    return thisCallFails() ? nullptr : __libc_calloc(count, size);
}

void* realloc(void* block, std::size_t size) {
    return thisCallFails() ? nullptr : __libc_realloc(block, size);
}

}  // extern "C"
