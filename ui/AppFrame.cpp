#include "AppFrame.h"

#include "FrameNotices.h"
#include "HiddenMode.h"
#include "WindowProcedure.h"
#include "platform/window/Runtime.h"
#include "ui/ModuleKeys.h"
#include "ui/StatusWindow.h"

namespace keldwick {

namespace {

constexpr int kGetVersionEntry = -9;
constexpr std::size_t kDefaultStack = 0;
constexpr std::size_t kMenuStatusWindowStack = 25000;

// A status window that gets no thread of its own is not waited for: the
// frame carries on without it (or, in hidden mode, runs its check itself).
void startStatusWindow(std::size_t stackBytes) {
    const auto started = rt::startThread(GETREDIRINFO, stackBytes);
    if (!started) {
        withoutStatusWindow("No status window could be opened: the system refused a new thread (" +
                            started.error().message() + ").");
    }
}

class AppFrame final : public WindowProcedure {
  private:
    rt::Result<void, rt::PrepareError> prepare(rt::Window& window) override {
        return rt::prepareFrame(window, kFrameModuleKey, kFrameWindowKey);
    }

    void openingWork() override {
        if (!HiddenMode) {
            describeProgram();
        }
        startStatusWindow(kDefaultStack);
    }

    void acceptedWork() override {
        if (rt::accepted() == kGetVersionEntry) {
            startStatusWindow(kMenuStatusWindowStack);
        }
        if (rt::event() == rt::ThreadFailed) {
            withoutStatusWindow("A status window ended by an error before its check was done.");
        }
    }

    bool releasesDefinition() const override { return false; }
};

}  // namespace

rt::Result<void, rt::PrepareError> MAIN() {
    return AppFrame().run();
}

const rt::Module kAppFrameModule{"PROGRAMFRAME", &rt::initialiseModule};

}  // namespace keldwick
