#include "ProgramBody.h"

#include <cstdio>
#include <string>

#include "app/CommandLine.h"
#include "app/ExitStatus.h"
#include "app/RunMode.h"
#include "platform/window/DesktopPresenter.h"
#include "platform/window/InformationText.h"
#include "platform/window/Runtime.h"
#include "platform/window/RuntimeSetup.h"
#include "ui/AppFrame.h"
#include "ui/CheckAnswer.h"
#include "ui/HiddenMode.h"
#include "ui/StatusWindow.h"
#include "ui/WindowProcedure.h"

namespace keldwick {

namespace {

const rt::Module kMainModule{"KELDWICK", &rt::initialiseModule};

constexpr int kNoDesktop = kStatusNoCheck;
constexpr int kUnpreparedFrame = kStatusNoCheck;

// Windows are drawn only in normal mode, so a hidden run needs no desktop. A
// presenter installed already (by a test) is kept.
rt::Result<void, rt::DesktopError> useDesktop() {
    if (rt::hasPresenter()) {
        return {};
    }
    auto presenter = rt::loadDesktopPresenter();
    if (!presenter) {
        return std::move(presenter).error();
    }
    rt::usePresenter(std::move(presenter).value());
    return {};
}

}  // namespace

std::span<const rt::Module> programModules() {
    static const rt::Module modules[] = {kMainModule, kAppFrameModule, kStatusWindowModule};
    return modules;
}

int programBody() {
    rt::beginProgram();
    const std::string parameters = rt::commandText("", 0);
    switch (requestOf(parameters)) {
        case CommandLineRequest::Usage:
            rt::showInformation(usageText());
            return kStatusOk;
        case CommandLineRequest::Version:
            rt::showInformation(versionText());
            return kStatusOk;
        case CommandLineRequest::Run:
            break;
    }
    HiddenMode = asksForHiddenMode(parameters);
    forgetCheckAnswer();
    // Without a desktop the windows could never be seen nor closed: say so and
    // fail rather than wait forever.
    if (!HiddenMode) {
        if (const auto desktop = useDesktop(); !desktop) {
            std::fprintf(stderr, "keldwick: %s; \"keldwick HIDE\" checks without windows\n",
                         desktop.error().reason.c_str());
            return kNoDesktop;
        }
    }
    // A frame that could not even be prepared is a failure, not a run.
    if (const auto ran = MAIN(); !ran) {
        reportUnpreparedWindow(ran.error());
        return kUnpreparedFrame;
    }
    return asksForStatus(parameters) ? exitStatusOf(lastCheckAnswer()) : kStatusOk;
}

}  // namespace keldwick
