#include <pthread.h>

#include <algorithm>

#include "../NativeThread.h"

namespace rt {

struct NativeThread::Impl {
    std::function<void()> body;
    pthread_t handle{};
    bool started = false;
    bool joined = false;

    static void* entry(void* self) {
        static_cast<Impl*>(self)->body();
        return nullptr;
    }
};

std::size_t NativeThread::effectiveStackBytes(std::size_t requested) {
    return requested == 0 ? 0 : std::max(requested, kMinimumStackBytes);
}

NativeThread::NativeThread(std::function<void()> body, std::size_t stackBytes)
    : m_impl(std::make_unique<Impl>()) {
    m_impl->body = std::move(body);
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    if (const auto size = effectiveStackBytes(stackBytes); size != 0) {
        pthread_attr_setstacksize(&attributes, size);
    }
    m_impl->started = pthread_create(&m_impl->handle, &attributes, &Impl::entry, m_impl.get()) == 0;
    pthread_attr_destroy(&attributes);
}

bool NativeThread::isStarted() const {
    return m_impl->started;
}

NativeThread::~NativeThread() {
    join();
}

void NativeThread::join() {
    if (m_impl->started && !m_impl->joined) {
        pthread_join(m_impl->handle, nullptr);
        m_impl->joined = true;
    }
}

}  // namespace rt
