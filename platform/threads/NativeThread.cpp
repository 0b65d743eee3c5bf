#include "NativeThread.h"

#include <algorithm>
#include <atomic>

namespace rt {

namespace {

std::atomic<int> g_refusedStarts{0};

}  // namespace

std::size_t NativeThread::effectiveStackBytes(std::size_t requested) {
    return std::max(requested, kMinimumStackBytes);
}

RefusedThreadStarts::RefusedThreadStarts(int count) {
    g_refusedStarts = count;
}

RefusedThreadStarts::~RefusedThreadStarts() {
    g_refusedStarts = 0;
}

namespace detail {

bool takeRefusedStart() {
    int left = g_refusedStarts.load();
    while (left > 0) {
        if (g_refusedStarts.compare_exchange_weak(left, left - 1)) {
            return true;
        }
    }
    return false;
}

}  // namespace detail

}  // namespace rt
