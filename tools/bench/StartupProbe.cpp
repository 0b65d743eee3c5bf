// The program as it starts in normal mode, with the Qt presenter loaded from
// its module, ending as soon as the first status window's results are on the
// screen. With KELDWICK_BENCH_STARTED set (see BenchMilestones.h) it also
// says when it got how far.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QString>
#include <QVariant>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "BenchMilestones.h"
#include "app/ProgramBody.h"
#include "platform/posix/DesktopPresenterLoader.h"
#include "platform/window/Runtime.h"
#include "platform/window/RuntimeSetup.h"

namespace {

// Passes everything through, keeping hold of the layer's side so that the
// frame can be asked to close.
class Forwarding final : public rt::Presenter {
  public:
    explicit Forwarding(std::unique_ptr<rt::Presenter> inner) : m_inner(std::move(inner)) {}

    rt::UserActions* actions() const { return m_actions; }

    void attach(rt::UserActions& actions) override {
        m_actions = &actions;
        m_inner->attach(actions);
    }
    void show(const rt::WindowView& view) override { m_inner->show(view); }
    void setText(rt::WindowId window, int control, const std::string& text) override {
        m_inner->setText(window, control, text);
    }
    void focus(rt::WindowId window, int control) override { m_inner->focus(window, control); }
    void close(rt::WindowId window) override { m_inner->close(window); }
    void beep() override { m_inner->beep(); }
    void tellUser(const std::string& text) override { m_inner->tellUser(text); }
    void setZone(int zone, const std::string& text, const std::string& tip) override {
        m_inner->setZone(zone, text, tip);
    }
    void setAbout(const std::string& text) override { m_inner->setAbout(text); }
    void waitForWork() override { m_inner->waitForWork(); }
    void wakeUp() override { m_inner->wakeUp(); }
    void shutdown() override { m_inner->shutdown(); }

  private:
    std::unique_ptr<rt::Presenter> m_inner;
    rt::UserActions* m_actions = nullptr;
};

// Watches every event of the GUI thread, as Qt lets an application-wide
// filter, for the frame being shown and for the first paint of the status
// window's last result, the recommendation, with its text: then the results
// are on the screen, and the frame is asked to close. The names are those
// the Qt presenter gives its widgets.
class ResultsWatch final : public QObject {
  public:
    ResultsWatch(BenchMilestones& milestones, const Forwarding& presenter)
        : m_milestones(milestones), m_presenter(presenter) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && !m_shown && watched->objectName() == QStringLiteral("frame")) {
            m_shown = true;
            m_milestones.reach(BenchMilestones::Shown);
        } else if (event->type() == QEvent::Paint && !m_results &&
                   watched->objectName() == QStringLiteral("control6") &&
                   !watched->property("text").toString().isEmpty() && m_presenter.actions() != nullptr) {
            m_results = true;
            m_milestones.reach(BenchMilestones::Results);
            m_presenter.actions()->exitRequested();
        }
        return false;
    }

  private:
    BenchMilestones& m_milestones;
    const Forwarding& m_presenter;
    bool m_shown = false;
    bool m_results = false;
};

}  // namespace

int main(int argc, char** argv) {
    constexpr const char* kUsage =
        "usage: keldwick_startup_probe path/to/keldwick-qt.so\n"
        "Starts as the program does in normal mode and ends once the first results are on the screen.\n";
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
    auto loaded = rt::loadPresenterModule(module);
    if (!loaded) {
        std::fprintf(stderr, "keldwick_startup_probe: %s\n", loaded.error().reason.c_str());
        return 1;
    }
    milestones.reach(BenchMilestones::Loaded);
    auto presenter = std::make_unique<Forwarding>(std::move(loaded).value());
    ResultsWatch watch(milestones, *presenter);
    QCoreApplication::instance()->installEventFilter(&watch);
    rt::usePresenter(std::move(presenter));
    const int status = keldwick::programBody();
    rt::closeDown();
    milestones.reach(BenchMilestones::Ended);
    milestones.print("keldwick");
    return status;
}
