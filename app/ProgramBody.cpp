#include "ProgramBody.h"

#include <cstdio>
#include <string>

#include "app/HiddenMode.h"
#include "app/RunMode.h"
#include "platform/window/DesktopPresenter.h"
#include "ui/AppFrame.h"
#include "ui/StatusWindow.h"

namespace keldwick {

namespace {

const rt::Module kMainModule{"KELDWICK", &rt::initialiseModule};

// Windows are drawn only in normal mode, so a hidden run needs no desktop. A
// presenter installed already (by a test) is kept.
void useDesktop() {
    auto& layer = rt::WindowLayer::instance();
    if (layer.presenter() != nullptr) {
        return;
    }
    std::string error;
    if (auto presenter = rt::loadDesktopPresenter(error)) {
        layer.setPresenter(std::move(presenter));
    } else {
        std::fprintf(stderr, "keldwick: %s\n", error.c_str());
    }
}

}  // namespace

std::span<const rt::Module> programModules() {
    static const rt::Module modules[] = {kMainModule, kAppFrameModule, kStatusWindowModule};
    return modules;
}

int programBody() {
    rt::beginProgram();
    HiddenMode = asksForHiddenMode(rt::commandText("", 0));
    if (!HiddenMode) {
        useDesktop();
    }
    // A frame that could not even be prepared is a failure, not a run.
    return MAIN() ? 0 : 1;
}

}  // namespace keldwick
