#include "NativeThread.h"

#include <algorithm>

#include "ThreadStarts.h"

namespace rt {

namespace {

class SystemThreadStarts final : public ThreadStarts {
  public:
    bool mayStart() override { return true; }
};

}  // namespace

template class InstalledService<ThreadStarts, makeNativeThreadStarts>;

std::unique_ptr<ThreadStarts> makeNativeThreadStarts() {
    return std::make_unique<SystemThreadStarts>();
}

std::size_t NativeThread::effectiveStackBytes(std::size_t requested) {
    return std::max(requested, kMinimumStackBytes);
}

namespace detail {

bool takeRefusedStart() {
    return !InstalledThreadStarts::get().mayStart();
}

}  // namespace detail

}  // namespace rt
