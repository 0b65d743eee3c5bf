// The program as it starts in normal mode, with the Qt presenter loaded from
// its module, ending as soon as the first status window shows its results.

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/ProgramBody.h"
#include "platform/posix/DesktopPresenterLoader.h"
#include "platform/window/Runtime.h"
#include "platform/window/RuntimeSetup.h"

namespace {

constexpr int kCloseButton = 10;

// Passes everything through; the status window's last opening request, the
// focus on Close, follows its results, so the frame is then asked to close.
// The GUI thread carries requests out in order, so the results are on the
// screen before the frame's procedure sees the close.
class EndWhenResultsShown final : public rt::Presenter {
  public:
    explicit EndWhenResultsShown(std::unique_ptr<rt::Presenter> inner) : m_inner(std::move(inner)) {}

    void attach(rt::UserActions& actions) override {
        m_actions = &actions;
        m_inner->attach(actions);
    }
    void show(const rt::WindowView& view) override { m_inner->show(view); }
    void setText(rt::WindowId window, int control, const std::string& text) override {
        m_inner->setText(window, control, text);
    }
    void focus(rt::WindowId window, int control) override {
        m_inner->focus(window, control);
        if (control == kCloseButton && m_actions != nullptr) {
            m_actions->exitRequested();
        }
    }
    void close(rt::WindowId window) override { m_inner->close(window); }
    void beep() override { m_inner->beep(); }
    void tellUser(const std::string& text) override { m_inner->tellUser(text); }
    void waitForWork() override { m_inner->waitForWork(); }
    void wakeUp() override { m_inner->wakeUp(); }
    void shutdown() override { m_inner->shutdown(); }

  private:
    std::unique_ptr<rt::Presenter> m_inner;
    rt::UserActions* m_actions = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
    constexpr const char* kUsage =
        "usage: keldwick_startup_probe path/to/keldwick-qt.so\n"
        "Starts as the program does in normal mode and ends once the first results are shown.\n";
    if (argc == 2 && std::string_view(argv[1]) == "--help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc != 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    rt::startUp(keldwick::programModules(), 1, argv);
    const std::vector<std::filesystem::path> module{argv[1]};
    std::string error;
    auto presenter = rt::loadPresenterModule(module, error);
    if (!presenter) {
        std::fprintf(stderr, "keldwick_startup_probe: %s\n", error.c_str());
        return 1;
    }
    rt::usePresenter(std::make_unique<EndWhenResultsShown>(std::move(presenter)));
    const int status = keldwick::programBody();
    rt::closeDown();
    return status;
}
