#include "WindowProcedure.h"

#include "HiddenMode.h"
#include "platform/base/ErrorLine.h"
#include "platform/window/Runtime.h"

namespace keldwick {

namespace {

constexpr int kPendingKeyToClear = 2;
constexpr int kBeepFrequency = 150;
constexpr int kBeepDuration = 16;

}  // namespace

rt::Result<void, rt::PrepareError> WindowProcedure::run() {
    rt::Window window;
    if (auto prepared = prepare(window); !prepared) {
        return prepared;
    }
    if (rt::keyCode() == kPendingKeyToClear) {
        rt::setKeyCode(0);
    }
    rt::openWindow(window);
    const bool windowIsOpen = true;
    if (HiddenMode) {
        rt::setProperty(rt::HiddenProperty, "1");
    }
    bool windowShown = false;
    rt::startEventLoop();
    do {
        sharedTurn(windowShown);
        acceptedWork();
    } while (!rt::endEventLoop(0));

    if (windowIsOpen) {
        rt::closeWindow(window);
    }
    rt::endEventLoops(0);
    if (releasesDefinition()) {
        rt::freeWindow(window);
    }
    return {};
}

void WindowProcedure::sharedTurn(bool& windowShown) {
    switch (rt::event()) {
        case rt::WindowOpened:
            openingWork();
            if (!windowShown) {
                rt::display(0);
                windowShown = true;
            }
            rt::select(1);
            break;
        case rt::FocusGained:
            rt::display(0);
            windowShown = true;
            break;
        case rt::InputRejected:
            rt::beep(kBeepFrequency, kBeepDuration);
            rt::display(rt::field());
            rt::select(rt::field());
            break;
        default:
            break;
    }
}

void reportUnpreparedWindow(const rt::PrepareError& error) {
    rt::tellErrorLine(error.message);
}

}  // namespace keldwick
