#pragma once

#include <atomic>
#include <memory>

namespace rt {

// The one implementation of a service that the whole process uses: the
// machine's own, made when first asked for and kept until the process ends,
// unless a test has installed a replacement for a while. Each service
// instantiates this once, in its own source file, so that the installed
// pointer exists once in the program.
template <typename Service, std::unique_ptr<Service> (*makeNative)()>
class InstalledService {
  public:
    static Service& get();

    // Installs a replacement for its lifetime. Install before starting the
    // threads that use the service, and end scopes in the reverse order of
    // their start.
    class Scope {
      public:
        explicit Scope(Service& replacement);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

      private:
        Service* m_previous;
    };

  private:
    static Service& native();

    static std::atomic<Service*> s_installed;
};

template <typename Service, std::unique_ptr<Service> (*makeNative)()>
std::atomic<Service*> InstalledService<Service, makeNative>::s_installed{nullptr};

template <typename Service, std::unique_ptr<Service> (*makeNative)()>
Service& InstalledService<Service, makeNative>::get() {
    Service* installed = s_installed.load(std::memory_order_acquire);
    return installed != nullptr ? *installed : native();
}

template <typename Service, std::unique_ptr<Service> (*makeNative)()>
Service& InstalledService<Service, makeNative>::native() {
    static const std::unique_ptr<Service> made = makeNative();
    return *made;
}

template <typename Service, std::unique_ptr<Service> (*makeNative)()>
InstalledService<Service, makeNative>::Scope::Scope(Service& replacement)
    : m_previous(s_installed.exchange(&replacement, std::memory_order_acq_rel)) {}

template <typename Service, std::unique_ptr<Service> (*makeNative)()>
InstalledService<Service, makeNative>::Scope::~Scope() {
    s_installed.store(m_previous, std::memory_order_release);
}

}  // namespace rt
