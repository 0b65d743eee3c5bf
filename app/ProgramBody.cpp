#include "ProgramBody.h"

#include "app/HiddenMode.h"
#include "app/RunMode.h"
#include "ui/AppFrame.h"
#include "ui/StatusWindow.h"

namespace keldwick {

namespace {

const rt::Module kMainModule{"KELDWICK", &rt::initialiseModule};

}  // namespace

std::span<const rt::Module> programModules() {
    static const rt::Module modules[] = {kMainModule, kAppFrameModule, kStatusWindowModule};
    return modules;
}

int programBody() {
    rt::beginProgram();
    HiddenMode = asksForHiddenMode(rt::commandText("", 0));
    // A frame that could not even be prepared is a failure, not a run.
    return MAIN() ? 0 : 1;
}

}  // namespace keldwick
