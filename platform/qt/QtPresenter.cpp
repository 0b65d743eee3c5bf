#include "QtPresenter.h"

#include <QTimer>

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
    std::unique_ptr<QApplication> application;
    if (QCoreApplication::instance() == nullptr) {
        DesktopIdentity::applyNames();
        application = std::make_unique<QApplication>(g_argc, g_argv);
        // Reading the icon files loads Qt's image plugins: that waits until
        // the frame's procedure first waits, and windows take the icon when it comes.
        QTimer::singleShot(0, application.get(), &DesktopIdentity::applyIcon);
    }
    // The program's windows end the program through its procedures, not through Qt.
    QApplication::setQuitOnLastWindowClosed(false);
    return std::make_unique<QtPresenter>(std::move(application));
}

QtPresenter::QtPresenter(std::unique_ptr<QApplication> application)
    : m_application(std::move(application)),
      m_gui(std::make_unique<GuiThread>()),
      m_windows(std::make_unique<WindowSet>()) {}

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
    m_gui->drain();
    m_windows.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_gui.reset();
    m_application.reset();
}

}  // namespace rt::desktop
