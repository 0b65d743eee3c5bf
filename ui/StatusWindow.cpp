#include "StatusWindow.h"

#include "CheckAnswer.h"
#include "FrameNotices.h"
#include "HiddenMode.h"
#include "WindowProcedure.h"
#include "check/CheckRun.h"
#include "platform/window/Runtime.h"
#include "ui/ModuleKeys.h"

namespace keldwick {

namespace {

constexpr int kCloseButton = 10;

// One check, its answer kept for the exit status and its report's outcome
// shown in the frame, before anyone is told the check is over.
void checkAndRemember(ResultField& isWin95, ResultField& driverVersion, ResultField& recommend) {
    const auto written = CHECKVREDIR(isWin95, driverVersion, recommend);
    rememberCheckAnswer(recommend.trimmed(), written.ok());
    showReportOutcome(written);
}

class StatusWindow final : public WindowProcedure {
  private:
    rt::Result<void, rt::PrepareError> prepare(rt::Window& window) override {
        return rt::prepareWindow(window, kStatusModuleKey, kStatusWindowKey,
                                 {m_isWin95.chars(), m_driverVersion.chars(), m_recommend.chars()});
    }

    void openingWork() override {
        checkAndRemember(m_isWin95, m_driverVersion, m_recommend);
        if (HiddenMode) {
            rt::post(rt::CloseRequested, 0, rt::OwnThread);
            rt::post(rt::CloseRequested, 0, rt::FirstThread);
            return;
        }
        rt::display(0);
        rt::select(kCloseButton);
    }

    void acceptedWork() override {
        if (rt::field() == kCloseButton && rt::event() == rt::ControlAccepted) {
            rt::post(rt::CloseRequested, 0, rt::OwnThread);
        }
    }

    bool releasesDefinition() const override { return true; }

    ResultField m_isWin95;
    ResultField m_driverVersion;
    ResultField m_recommend;
};

}  // namespace

void GETREDIRINFO() {
    if (const auto ran = StatusWindow().run(); !ran) {
        reportUnpreparedWindow(ran.error());
        withoutStatusWindow("The status window could not be opened; its check did not run.");
    }
}

void withoutStatusWindow(std::string_view why) {
    if (!HiddenMode) {
        rt::tellUser(why);
        return;
    }
    ResultField isWin95;
    ResultField driverVersion;
    ResultField recommend;
    checkAndRemember(isWin95, driverVersion, recommend);
    rt::post(rt::CloseRequested, 0, rt::FirstThread);
}

const rt::Module kStatusWindowModule{"STATUSWINDOW", &rt::initialiseModule};

}  // namespace keldwick
