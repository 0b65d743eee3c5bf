#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QList>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QString>
#include <filesystem>

#include "PersonScript.h"
#include "platform/qt/QtPresenter.h"
#include "platform/system/SystemServices.h"
#include "tests/support/FakeSystemServices.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Watchdog.h"

namespace keldwick::test {

// Collects what Qt writes on standard error (its warnings) while it lives.
class MessageCatcher {
  public:
    MessageCatcher();
    ~MessageCatcher();
    MessageCatcher(const MessageCatcher&) = delete;
    MessageCatcher& operator=(const MessageCatcher&) = delete;

    QStringList warnings() const;
};

// The program on a Qt screen: a started runtime whose presenter is the Qt
// presenter, the program's stored windows, and a machine of the Windows 95
// family whose driver is an older build, so each check shows
// YES / 4.00.950 / UPGRADE. The test's thread is the first thread.
class DesktopFixture : public ::testing::Test {
  protected:
    DesktopFixture();
    ~DesktopFixture() override;

    // Runs the frame's procedure with `script` as the person, until the frame
    // closes, then ends the runtime as the program does.
    void runProgram(PersonScript& script);

    // The screen as it is now; for use inside the script's steps.
    rt::qt::WindowSet& windows() { return m_presenter->windows(); }
    rt::qt::FrameWindow& frame();
    QList<QMdiSubWindow*> children();
    QWidget* control(QMdiSubWindow* child, int id);
    QLineEdit* display(QMdiSubWindow* child, int id);
    QPushButton* closeButton(QMdiSubWindow* child);
    // Chooses a menu entry by its id, as a click on it would.
    void choose(int entry);
    QAction* menuEntry(int entry);

    // True once `count` status windows are open, each shows its results, and the frame is active.
    bool resultsShownIn(int count);
    // Steps that open status windows with GetVersion until `count` show their results.
    PersonScript& withWindows(PersonScript& person, int count);

    std::filesystem::path report() const { return m_root / "KELDWICK.INI"; }

    static constexpr int kGetVersion = -9;
    static constexpr int kCloseButton = 10;

  private:
    rt::test::Watchdog m_watchdog{std::chrono::seconds(90), "Qt presenter test"};
    rt::test::TempFolder m_root;
    rt::test::FakeSystemServices m_services;
    rt::ScopedSystemServices m_installed{m_services};
    rt::qt::QtPresenter* m_presenter = nullptr;
    bool m_ended = false;
};

}  // namespace keldwick::test
