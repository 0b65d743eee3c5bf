#pragma once

#include <memory>

#include "platform/base/InstalledService.h"

namespace rt {

// Asked before every NativeThread starts. The machine's own answer is always
// yes, and then the system decides; tests install one that says no, to see
// what callers do when a system is out of threads or memory.
class ThreadStarts {
  public:
    virtual ~ThreadStarts() = default;
    virtual bool mayStart() = 0;
};

std::unique_ptr<ThreadStarts> makeNativeThreadStarts();

using InstalledThreadStarts = InstalledService<ThreadStarts, makeNativeThreadStarts>;
extern template class InstalledService<ThreadStarts, makeNativeThreadStarts>;

// Installs a replacement for its lifetime.
using ScopedThreadStarts = InstalledThreadStarts::Scope;

}  // namespace rt
