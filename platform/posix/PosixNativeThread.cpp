#include <pthread.h>

#include "platform/base/EntryGuard.h"
#include "platform/threads/NativeThread.h"

namespace rt {

struct NativeThread::Impl {
    std::function<void()> body;
    pthread_t handle{};
    std::error_code startError;
    bool joined = false;

    static void* entry(void* self) {
        guardEntry(detail::kBodyThrew, [self] { static_cast<Impl*>(self)->body(); });
        return nullptr;
    }
};

// The size is set explicitly for every thread: left alone, glibc takes it
// from RLIMIT_STACK, which may be far too small or too large to map.
NativeThread::NativeThread(std::function<void()> body, std::size_t stackBytes)
    : m_impl(std::make_unique<Impl>()) {
    m_impl->body = std::move(body);
    if (detail::takeRefusedStart()) {
        m_impl->startError = std::make_error_code(std::errc::resource_unavailable_try_again);
        return;
    }
    pthread_attr_t attributes;
    int result = pthread_attr_init(&attributes);
    if (result == 0) {
        result = pthread_attr_setstacksize(&attributes, effectiveStackBytes(stackBytes));
        if (result == 0) {
            result = pthread_create(&m_impl->handle, &attributes, &Impl::entry, m_impl.get());
        }
        pthread_attr_destroy(&attributes);
    }
    if (result != 0) {
        m_impl->startError = std::error_code(result, std::generic_category());
    }
}

NativeThread::~NativeThread() {
    join();
}

bool NativeThread::isStarted() const {
    return !m_impl->startError;
}

std::error_code NativeThread::startError() const {
    return m_impl->startError;
}

void NativeThread::join() {
    if (isStarted() && !m_impl->joined) {
        pthread_join(m_impl->handle, nullptr);
        m_impl->joined = true;
    }
}

}  // namespace rt
