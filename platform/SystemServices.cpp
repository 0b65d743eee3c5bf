#include "SystemServices.h"

#include <atomic>

namespace rt {

namespace {

std::atomic<SystemServices*> g_installed{nullptr};

SystemServices& nativeServices() {
    static const std::unique_ptr<SystemServices> native = makeNativeSystemServices();
    return *native;
}

}  // namespace

SystemServices& systemServices() {
    SystemServices* installed = g_installed.load(std::memory_order_acquire);
    return installed != nullptr ? *installed : nativeServices();
}

ScopedSystemServices::ScopedSystemServices(SystemServices& replacement)
    : m_previous(g_installed.exchange(&replacement, std::memory_order_acq_rel)) {}

ScopedSystemServices::~ScopedSystemServices() {
    g_installed.store(m_previous, std::memory_order_release);
}

}  // namespace rt
