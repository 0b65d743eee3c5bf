#include "QtPresenter.h"

#include "DesktopIdentity.h"
#include "GuardedApplication.h"

namespace rt::qt {

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
    // The font configuration loads while the application object is made.
    auto warmUp = std::make_unique<WarmUpThread>();
    DesktopIdentity::applyNames();
    std::unique_ptr<QApplication> application = std::make_unique<GuardedApplication>(g_argc, g_argv);
    QApplication::setQuitOnLastWindowClosed(false);
    auto presenter = std::make_unique<QtPresenter>(std::move(application), std::move(warmUp));
    presenter->continueWarmUp(QCoreApplication::applicationDirPath());
    return presenter;
}

QtPresenter::QtPresenter(std::unique_ptr<QApplication> application, std::unique_ptr<WarmUpThread> warmUp)
    : m_application(std::move(application)),
      m_warmUp(std::move(warmUp)),
      m_gui(std::make_unique<GuiThread>()),
      m_windows(std::make_unique<WindowSet>()) {
    m_windows->awaitFontsWith([this] {
        if (m_warmUp) {
            m_warmUp->waitForFonts();
        }
    });
}

// The warm-up thread goes on to Qt's fonts and the icon. The pictures reach
// the GUI thread as a request; the warm-up thread is waited for before the
// GUI thread's queue goes away.
void QtPresenter::continueWarmUp(const QString& programFolder) {
    m_warmUp->applicationMade(
        programFolder, [gui = m_gui.get(), windows = m_windows.get()](WarmUpThread::Pictures pictures) {
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
    m_gui->run([this, view] { m_windows->show(view); });
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

void QtPresenter::tellUser(const std::string& text) {
    m_gui->run([this, text] { m_windows->tellUser(text); });
}

void QtPresenter::setZone(int zone, const std::string& text, const std::string& tip) {
    m_gui->run([this, zone, text, tip] { m_windows->setZone(zone, text, tip); });
}

void QtPresenter::setAbout(const std::string& text) {
    m_gui->run([this, text] { m_windows->setAbout(text); });
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
    m_warmUp.reset();
    m_gui->drain();
    m_windows.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_gui.reset();
    m_application.reset();
}

}  // namespace rt::qt
