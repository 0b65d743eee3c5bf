#include "AppFrame.h"

#include "app/WindowProcedure.h"
#include "ui/ModuleKeys.h"
#include "ui/StatusWindow.h"

namespace keldwick {

namespace {

constexpr int kGetVersionEntry = -9;
constexpr std::size_t kDefaultStack = 0;
constexpr std::size_t kMenuStatusWindowStack = 25000;

void startStatusWindow(std::size_t stackBytes) {
    (void)rt::startThread(GETREDIRINFO, stackBytes);
}

class AppFrame final : public WindowProcedure {
  private:
    std::string prepare(rt::Window& window) override {
        return rt::prepareFrame(window, kFrameModuleKey, kFrameWindowKey);
    }

    void openingWork() override { startStatusWindow(kDefaultStack); }

    void acceptedWork() override {
        if (rt::accepted() == kGetVersionEntry) {
            startStatusWindow(kMenuStatusWindowStack);
        }
    }

    bool releasesDefinition() const override { return false; }
};

}  // namespace

bool MAIN() {
    return AppFrame().run();
}

const rt::Module kAppFrameModule{"PROGRAMFRAME", &rt::initialiseModule};

}  // namespace keldwick
