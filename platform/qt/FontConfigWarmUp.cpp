#include "FontConfigWarmUp.h"

#include <fontconfig/fontconfig.h>

namespace rt::desktop {

FontConfigWarmUp::FontConfigWarmUp() {
    try {
        // A failed load is not kept: Qt's own first call tries again.
        m_thread = std::jthread([] { FcInit(); });
    } catch (...) {
        // No thread: nothing is loaded ahead.
    }
}

FontConfigWarmUp::~FontConfigWarmUp() {
    finish();
}

void FontConfigWarmUp::finish() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

}  // namespace rt::desktop
