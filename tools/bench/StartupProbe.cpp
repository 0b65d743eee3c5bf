// The program as it starts in normal mode, with the Qt presenter loaded from
// its module, ending as soon as the first status window shows its results.
// With KELDWICK_BENCH_STARTED set (see BenchMilestones.h) it also says when
// it got how far.

#include <QCoreApplication>
#include <QMetaObject>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "BenchMilestones.h"
#include "app/ProgramBody.h"
#include "platform/posix/DesktopPresenterLoader.h"
#include "platform/window/Runtime.h"

namespace {

constexpr int kCloseButton = 10;

// Passes everything through and notes when the GUI thread has carried out
// the frame's show and the first status window's last opening request, the
// focus on Close, which follows its results; then the frame is asked to
// close. A note is queued behind the request it follows: the GUI thread
// carries out what was queued in order, so it runs once that request is done.
class EndWhenResultsShown final : public rt::Presenter {
  public:
    EndWhenResultsShown(std::unique_ptr<rt::Presenter> inner, BenchMilestones& milestones)
        : m_inner(std::move(inner)), m_milestones(milestones) {}

    void attach(rt::UserActions& actions) override {
        m_actions = &actions;
        m_inner->attach(actions);
    }
    void show(const rt::WindowView& view) override {
        m_inner->show(view);
        if (view.isFrame) {
            afterQueued([this] { m_milestones.reach(BenchMilestones::Shown); });
        }
    }
    void setText(rt::WindowId window, int control, const std::string& text) override {
        m_inner->setText(window, control, text);
    }
    void focus(rt::WindowId window, int control) override {
        m_inner->focus(window, control);
        if (control == kCloseButton && m_actions != nullptr) {
            afterQueued([this] {
                m_milestones.reach(BenchMilestones::Results);
                m_actions->exitRequested();
            });
        }
    }
    void close(rt::WindowId window) override { m_inner->close(window); }
    void beep() override { m_inner->beep(); }
    void waitForWork() override { m_inner->waitForWork(); }
    void wakeUp() override { m_inner->wakeUp(); }
    void shutdown() override { m_inner->shutdown(); }

  private:
    template <typename Note>
    static void afterQueued(Note note) {
        QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(note), Qt::QueuedConnection);
    }

    std::unique_ptr<rt::Presenter> m_inner;
    BenchMilestones& m_milestones;
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
    BenchMilestones milestones;
    rt::startUp(keldwick::programModules(), 1, argv);
    const std::vector<std::filesystem::path> module{argv[1]};
    std::string error;
    auto presenter = rt::loadPresenterModule(module, error);
    if (!presenter) {
        std::fprintf(stderr, "keldwick_startup_probe: %s\n", error.c_str());
        return 1;
    }
    milestones.reach(BenchMilestones::Loaded);
    rt::WindowLayer::instance().setPresenter(
        std::make_unique<EndWhenResultsShown>(std::move(presenter), milestones));
    const int status = keldwick::programBody();
    rt::closeDown();
    milestones.reach(BenchMilestones::Ended);
    milestones.print("keldwick");
    return status;
}
