#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QLabel>
#include <QTest>

#include "DesktopFixture.h"
#include "tests/support/TempFolder.h"

namespace keldwick::testing {
namespace {

using DesktopProgram = DesktopFixture;

TEST_F(DesktopProgram, FrameOpensOneStatusWindowWithTheResults) {
    PersonScript person;
    person
        .when(
            "the first results", [&] { return resultsShownIn(1); },
            [&] {
                EXPECT_EQ(frame().windowTitle(), "Redirector Status");
                EXPECT_TRUE(frame().isVisible());
                QMdiSubWindow* status = children().front();
                EXPECT_EQ(status->windowTitle(), "Vredir.VXD Status");
                EXPECT_EQ(display(status, 2)->text(), "YES");
                EXPECT_EQ(display(status, 4)->text(), "4.00.950");
                EXPECT_EQ(display(status, 6)->text(), "UPGRADE");
                QDir().mkpath(QFileInfo(QStringLiteral(KELDWICK_SCREENSHOT)).absolutePath());
                EXPECT_TRUE(frame().grab().save(QStringLiteral(KELDWICK_SCREENSHOT)));
            })
        .when(
            "the focus on Close",
            [&] { return QApplication::focusWidget() == closeButton(children().front()); },
            [&] { choose(-3); });
    runProgram(person);
    EXPECT_TRUE(std::filesystem::exists(report())) << "the check ran and wrote its report";
}

TEST_F(DesktopProgram, StatusWindowLooksAsDefined) {
    PersonScript person;
    person.when(
        "the first results", [&] { return resultsShownIn(1); },
        [&] {
            QMdiSubWindow* status = children().front();
            for (const int id : {2, 4, 6}) {
                QLineEdit* value = display(status, id);
                EXPECT_TRUE(value->isReadOnly());
                EXPECT_NE(value->focusPolicy(), Qt::NoFocus) << "a value can be selected and copied";
                EXPECT_EQ(value->palette().color(QPalette::Base), value->palette().color(QPalette::Button));
            }
            auto* note = qobject_cast<QLabel*>(control(status, 7));
            EXPECT_EQ(note->palette().color(QPalette::WindowText), QColor(0, 0, 255));
            EXPECT_NE(qobject_cast<QLabel*>(control(status, 8))->palette().color(QPalette::WindowText),
                      QColor(0, 0, 255));
            EXPECT_EQ(display(status, 2)->accessibleName(), "Is Win95?");
            EXPECT_EQ(display(status, 4)->accessibleName(), "VRedir Version");
            EXPECT_EQ(display(status, 6)->accessibleName(), "Recommend");
            // With Arial's metric twin the designed pixel sizes are known.
            if (QFontInfo(status->widget()->font()).family() == "Liberation Sans") {
                EXPECT_EQ(status->widget()->size(), QSize(354, 153));
                EXPECT_EQ(closeButton(status)->pos(), QPoint(155, 123));
            }
            choose(-3);
        });
    runProgram(person);
}

TEST_F(DesktopProgram, GetVersionOpensASecondWindowAndCloseEndsOnlyItsOwn) {
    QPointer<QMdiSubWindow> first;
    PersonScript person;
    person
        .when(
            "the first results", [&] { return resultsShownIn(1); },
            [&] {
                first = children().front();
                choose(kGetVersion);
            })
        .when(
            "the second results", [&] { return resultsShownIn(2); },
            [&] { QTest::mouseClick(closeButton(children().back()), Qt::LeftButton); })
        .when(
            "the second window gone", [&] { return children().size() == 1; },
            [&] {
                EXPECT_EQ(children().front(), first.data());
                choose(-3);
            });
    runProgram(person);
}

TEST_F(DesktopProgram, KeyboardReachesControlsWindowsAndTheCloseButton) {
    QPointer<QMdiSubWindow> first;
    PersonScript person;
    person
        .when(
            "the first results", [&] { return resultsShownIn(1); },
            [&] {
                first = children().front();
                choose(kGetVersion);
            })
        .when(
            "the second results", [&] { return resultsShownIn(2); },
            [&] {
                QMdiSubWindow* second = children().back();
                EXPECT_EQ(frame().area().activeSubWindow(), second);
                display(second, 2)->setFocus();
                for (const int next : {4, 6, kCloseButton}) {
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                    EXPECT_EQ(QApplication::focusWidget(), control(second, next))
                        << "Tab to control " << next;
                }
                QTest::keyPress(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
                QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Control);
            })
        .when(
            "Ctrl+Tab to the first window", [&] { return frame().area().activeSubWindow() == first; },
            [&] {
                EXPECT_EQ(QApplication::focusWidget(), closeButton(first))
                    << "the window's own focus came back";
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            })
        .when(
            "the first window closed by Return", [&] { return first.isNull() && children().size() == 1; },
            [&] { choose(-3); });
    runProgram(person);
}

TEST_F(DesktopProgram, SystemCloseOnlyAsksTheWindowsProcedure) {
    PersonScript person;
    person
        .when(
            "the first results", [&] { return resultsShownIn(1); },
            [&] {
                QMdiSubWindow* status = children().front();
                status->close();
                EXPECT_TRUE(status->isVisible()) << "the procedure closes its window itself";
            })
        .when(
            "the procedure closing it", [&] { return children().isEmpty(); }, [&] { choose(-3); });
    runProgram(person);
}

TEST_F(DesktopProgram, ExitWithStatusWindowsOpenEndsTheProgramCleanly) {
    PersonScript person;
    person
        .when(
            "the first results", [&] { return resultsShownIn(1); }, [&] { choose(kGetVersion); })
        .when(
            "the second results", [&] { return resultsShownIn(2); }, [&] { choose(-3); });
    runProgram(person);
}

TEST_F(DesktopProgram, ClosingTheFrameBySystemEndsTheProgram) {
    PersonScript person;
    person.when(
        "the first results", [&] { return resultsShownIn(1); },
        [&] {
            frame().close();
            EXPECT_TRUE(frame().isVisible()) << "the frame's procedure decides";
        });
    runProgram(person);
}

}  // namespace
}  // namespace keldwick::testing
