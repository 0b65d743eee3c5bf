#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QTest>
#include <QTextBrowser>

#include "DesktopFixture.h"
#include "platform/qt/HelpWindow.h"

namespace keldwick::testing {
namespace {

constexpr int kPrintSetup = -2, kExit = -3, kCut = -5, kCopy = -6, kPaste = -7;
constexpr int kTile = -10, kCascade = -11, kArrangeIcons = -12;
constexpr int kHelpContents = -13, kHelpSearch = -14, kHowToUseHelp = -15;

class StandardActions : public DesktopFixture {
  protected:
    // Opens two more status windows once the first shows its results.
    PersonScript& withThreeWindows(PersonScript& person) {
        return person
            .when(
                "the first results", [&] { return resultsShownIn(1); }, [&] { choose(kGetVersion); })
            .when(
                "the second results", [&] { return resultsShownIn(2); }, [&] { choose(kGetVersion); })
            .when(
                "the third results", [&] { return resultsShownIn(3); }, [] {});
    }
};

TEST_F(StandardActions, TileLaysTheWindowsSideBySideAndCascadeStacksThem) {
    PersonScript person;
    withThreeWindows(person)
        .then("tile",
              [&] {
                  choose(kTile);
                  const auto windows = children();
                  const QRect area = frame().area().viewport()->rect();
                  for (int i = 0; i < windows.size(); ++i) {
                      EXPECT_TRUE(area.contains(windows[i]->geometry())) << i;
                      for (int j = i + 1; j < windows.size(); ++j) {
                          EXPECT_FALSE(windows[i]->geometry().intersects(windows[j]->geometry())) << i << j;
                      }
                  }
              })
        .then("cascade", [&] {
            choose(kCascade);
            const auto windows = children();
            for (int i = 1; i < windows.size(); ++i) {
                EXPECT_GT(windows[i]->x(), windows[i - 1]->x());
                EXPECT_GT(windows[i]->y(), windows[i - 1]->y());
                EXPECT_EQ(windows[i]->widget()->size(), windows[0]->widget()->size()) << "designed size kept";
            }
            choose(kExit);
        });
    runProgram(person);
}

TEST_F(StandardActions, ArrangeIconsLinesMinimisedWindowsUpAlongTheBottom) {
    PersonScript person;
    withThreeWindows(person)
        .then("minimise two and drag one away",
              [&] {
                  children()[0]->showMinimized();
                  children()[2]->showMinimized();
                  children()[2]->move(50, 20);
              })
        .then("arrange icons", [&] {
            choose(kArrangeIcons);
            QMdiSubWindow* first = children()[0];
            QMdiSubWindow* third = children()[2];
            const int bottom = frame().area().viewport()->height();
            EXPECT_EQ(first->geometry().bottom() + 1, bottom);
            EXPECT_EQ(third->geometry().bottom() + 1, bottom);
            EXPECT_EQ(first->x(), 0);
            EXPECT_EQ(third->x(), first->width());
            EXPECT_FALSE(children()[1]->isMinimized());
            choose(kExit);
        });
    runProgram(person);
}

TEST_F(StandardActions, WindowMenuListsTheWindowsAndActivatesTheChosenOne) {
    PersonScript person;
    withThreeWindows(person).then("open the window menu", [&] {
        QMenu* menu = frame().menuBar()->actions()[3]->menu();
        children()[0]->showMinimized();
        frame().area().setActiveSubWindow(children()[1]);
        emit menu->aboutToShow();
        const auto entries = menu->actions();
        ASSERT_EQ(entries.size(), 3 + 1 + 3);
        EXPECT_TRUE(entries[3]->isSeparator());
        EXPECT_EQ(entries[4]->text(), "&1 Vredir.VXD Status");
        EXPECT_EQ(entries[6]->text(), "&3 Vredir.VXD Status");
        EXPECT_TRUE(entries[5]->isChecked()) << "the active window";
        EXPECT_FALSE(entries[4]->isChecked());
        entries[4]->trigger();
        EXPECT_EQ(frame().area().activeSubWindow(), children()[0]);
        EXPECT_FALSE(children()[0]->isMinimized()) << "a chosen icon is restored";
        emit menu->aboutToShow();
        EXPECT_EQ(menu->actions().size(), 7) << "rebuilt, not appended";
        choose(kExit);
    });
    runProgram(person);
}

TEST_F(StandardActions, CopyPutsTheFocusedValueOnTheClipboard) {
    PersonScript person;
    person.when(
        "the first results", [&] { return resultsShownIn(1); },
        [&] {
            QGuiApplication::clipboard()->setText("before");
            choose(kCopy);
            EXPECT_EQ(QGuiApplication::clipboard()->text(), "before")
                << "the focused Close button has no value";
            display(children().front(), 4)->setFocus();
            choose(kCopy);
            EXPECT_EQ(QGuiApplication::clipboard()->text(), "4.00.950");
            choose(kExit);
        });
    runProgram(person);
}

TEST_F(StandardActions, CutAndPasteLeaveAReadOnlyValueAlone) {
    PersonScript person;
    person.when(
        "the first results", [&] { return resultsShownIn(1); },
        [&] {
            QLineEdit* value = display(children().front(), 6);
            value->setFocus();
            QGuiApplication::clipboard()->setText("before");
            choose(kCut);
            EXPECT_EQ(QGuiApplication::clipboard()->text(), "UPGRADE") << "cut copies";
            EXPECT_EQ(value->text(), "UPGRADE") << "but removes nothing";
            QGuiApplication::clipboard()->setText("pasted");
            value->selectAll();
            choose(kPaste);
            EXPECT_EQ(value->text(), "UPGRADE");
            choose(kExit);
        });
    runProgram(person);
}

TEST_F(StandardActions, HelpShowsContentsSearchAndHowToUseIt) {
    PersonScript person;
    person.when(
        "the first results", [&] { return resultsShownIn(1); },
        [&] {
            choose(kHelpContents);
            auto* help = windows().standardActions()->helpWindow();
            ASSERT_NE(help, nullptr);
            EXPECT_TRUE(help->isVisible());
            EXPECT_TRUE(help->browser().source().path().endsWith("/index.html"))
                << "help installed in the build tree";
            EXPECT_FALSE(help->browser().documentTitle().isEmpty());
            choose(kHowToUseHelp);
            EXPECT_TRUE(help->browser().source().path().endsWith("/using-help.html"));
            choose(kHelpSearch);
            EXPECT_TRUE(help->searchField().hasFocus() || !help->isActiveWindow());
            QTest::keyClicks(&help->searchField(), "report file");
            help->search();
            EXPECT_GT(help->results().count(), 0);
            EXPECT_TRUE(help->browser().textCursor().hasSelection()) << "the first match is selected";
            choose(kExit);
        });
    runProgram(person);
}

TEST_F(StandardActions, PrinterSetupOpensThePageSetupWithoutBlocking) {
    PersonScript person;
    person
        .when(
            "the first results", [&] { return resultsShownIn(1); }, [&] { choose(kPrintSetup); })
        .when(
            "the page set-up",
            [&] {
                const auto* dialog = windows().standardActions()->printerSetup().openDialog();
                return dialog != nullptr && dialog->isVisible();
            },
            [&] {
                windows().standardActions()->printerSetup().openDialog()->reject();
                choose(kExit);
            });
    runProgram(person);
}

}  // namespace
}  // namespace keldwick::testing
