#include "DesktopFixture.h"

#include <QMenuBar>

#include "platform/window/Runtime.h"
#include "platform/window/RuntimeSetup.h"
#include "ui/AppFrame.h"
#include "ui/HiddenMode.h"

namespace keldwick::test {

namespace fs = std::filesystem;

namespace {

QStringList g_caught;
QtMessageHandler g_previous = nullptr;

void catchMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    // The off-screen platform notes what it cannot do; no desktop shows that.
    if (type != QtDebugMsg && type != QtInfoMsg && !message.startsWith("This plugin does not support")) {
        g_caught << message;
    }
    if (g_previous != nullptr) {
        g_previous(type, context, message);
    }
}

}  // namespace

MessageCatcher::MessageCatcher() {
    g_caught.clear();
    g_previous = qInstallMessageHandler(catchMessage);
}

MessageCatcher::~MessageCatcher() {
    qInstallMessageHandler(g_previous);
}

QStringList MessageCatcher::warnings() const {
    return g_caught;
}

DesktopFixture::DesktopFixture() {
    const auto system = m_root / "system";
    fs::create_directory(system);
    rt::test::writeWholeFile(system / "VREDIR.VXD", "driver");
    m_services.cwd = m_root.str();
    m_services.systemDir = system.string();
    m_services.windowsDir = (m_root / "windows").string();
    m_services.setVersion((system / "VREDIR.VXD").string(), "4.00.950");

    HiddenMode = false;
    rt::startUp({}, 0, nullptr);
    auto presenter = rt::qt::QtPresenter::create();
    m_presenter = presenter.get();
    rt::usePresenter(std::move(presenter));
}

DesktopFixture::~DesktopFixture() {
    if (!m_ended) {
        rt::closeDown();
    }
}

void DesktopFixture::runProgram(PersonScript& script) {
    script.start();
    EXPECT_TRUE(MAIN());
    m_ended = true;
    rt::closeDown();
    EXPECT_TRUE(script.isFinished());
    EXPECT_EQ(rt::runningThreads(), 0u);
}

rt::qt::FrameWindow& DesktopFixture::frame() {
    return *windows().frame();
}

QList<QMdiSubWindow*> DesktopFixture::children() {
    return windows().frame() != nullptr ? frame().area().subWindowList(QMdiArea::CreationOrder)
                                        : QList<QMdiSubWindow*>{};
}

QWidget* DesktopFixture::control(QMdiSubWindow* child, int id) {
    return child->findChild<QWidget*>(QStringLiteral("control%1").arg(id));
}

QLineEdit* DesktopFixture::display(QMdiSubWindow* child, int id) {
    return qobject_cast<QLineEdit*>(control(child, id));
}

QPushButton* DesktopFixture::closeButton(QMdiSubWindow* child) {
    return qobject_cast<QPushButton*>(control(child, kCloseButton));
}

QAction* DesktopFixture::menuEntry(int entry) {
    for (QAction* action : frame().menuBar()->findChildren<QAction*>()) {
        if (action->data().toInt() == entry && !action->isSeparator()) {
            return action;
        }
    }
    return nullptr;
}

void DesktopFixture::choose(int entry) {
    QAction* action = menuEntry(entry);
    ASSERT_NE(action, nullptr) << "no menu entry " << entry;
    action->trigger();
}

PersonScript& DesktopFixture::withWindows(PersonScript& person, int count) {
    person.when(
        "the first results", [this] { return resultsShownIn(1); }, [] {});
    for (int shown = 1; shown < count; ++shown) {
        person.when(
            "results in " + std::to_string(shown) + " windows",
            [this, shown] { return resultsShownIn(shown); }, [this] { choose(kGetVersion); });
    }
    return person.when(
        "all results", [this, count] { return resultsShownIn(count); }, [] {});
}

bool DesktopFixture::resultsShownIn(int count) {
    // On a real X server the frame turns active a moment after it is shown;
    // until then no widget has the focus and keys reach nothing.
    const auto shown = children();
    if (shown.size() != count || !frame().isActiveWindow()) {
        return false;
    }
    for (QMdiSubWindow* child : shown) {
        const QLineEdit* recommend = display(child, 6);
        if (recommend == nullptr || recommend->text().isEmpty()) {
            return false;
        }
    }
    return true;
}

}  // namespace keldwick::test
