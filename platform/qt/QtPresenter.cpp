#include "QtPresenter.h"

#include "DesktopIdentity.h"

namespace rt::desktop {

namespace {

// Qt keeps referring to the arguments for as long as the application object
// lives. argv[0] names the program to the window system.
int g_argc = 1;
char g_programName[] = "keldwick";
char* g_argv[] = {g_programName, nullptr};

}  // namespace

std::unique_ptr<QtPresenter> QtPresenter::create() {
    if (QCoreApplication::instance() != nullptr) {
        // The program's windows end the program through its procedures, not through Qt.
        QApplication::setQuitOnLastWindowClosed(false);
        return std::make_unique<QtPresenter>(nullptr);
    }
    // Loaded while the application object is made, which takes as long.
    auto fontConfig = std::make_unique<FontConfigWarmUp>();
    DesktopIdentity::applyNames();
    auto application = std::make_unique<QApplication>(g_argc, g_argv);
    QApplication::setQuitOnLastWindowClosed(false);
    auto presenter = std::make_unique<QtPresenter>(std::move(application), std::move(fontConfig));
    presenter->readIconBeside(QCoreApplication::applicationDirPath());
    return presenter;
}

QtPresenter::QtPresenter(std::unique_ptr<QApplication> application,
                         std::unique_ptr<FontConfigWarmUp> fontConfig)
    : m_application(std::move(application)),
      m_fontConfig(std::move(fontConfig)),
      m_gui(std::make_unique<GuiThread>()),
      m_windows(std::make_unique<WindowSet>()) {}

// The pictures reach the GUI thread as a request; the reader is waited for
// before the GUI thread's queue goes away.
void QtPresenter::readIconBeside(const QString& programFolder) {
    m_iconReader = std::make_unique<ProgramIconReader>(
        programFolder, [gui = m_gui.get(), windows = m_windows.get()](ProgramIconReader::Pictures pictures) {
            gui->run([windows, pictures = std::move(pictures)] {
                windows->adoptProgramIcon(DesktopIdentity::iconOf(pictures));
            });
        });
}

QtPresenter::~QtPresenter() {
    shutdown();
}

void QtPresenter::attach(UserActions& actions) {
    m_gui->run([this, &actions] { m_windows->attach(actions); });
}

void QtPresenter::show(const WindowView& view) {
    m_gui->run([this, view] {
        if (m_fontConfig) {
            m_fontConfig->finish();
            m_fontConfig.reset();
        }
        m_windows->show(view);
    });
}

void QtPresenter::setText(WindowId window, int control, const std::string& text) {
    m_gui->run([this, window, control, text] { m_windows->setText(window, control, text); });
}

void QtPresenter::focus(WindowId window, int control) {
    m_gui->run([this, window, control] { m_windows->focus(window, control); });
}

void QtPresenter::close(WindowId window) {
    m_gui->run([this, window] { m_windows->close(window); });
}

void QtPresenter::beep() {
    m_gui->run([this] { m_windows->beep(); });
}

void QtPresenter::waitForWork() {
    m_gui->waitForWork();
}

void QtPresenter::wakeUp() {
    m_gui->wakeUp();
}

void QtPresenter::shutdown() {
    if (!m_gui) {
        return;
    }
    m_fontConfig.reset();
    m_iconReader.reset();
    m_gui->drain();
    m_windows.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_gui.reset();
    m_application.reset();
}

}  // namespace rt::desktop
