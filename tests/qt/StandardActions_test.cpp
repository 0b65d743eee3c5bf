#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>

#include "DesktopFixture.h"
#include "platform/qt/HelpWindow.h"
#include "platform/qt/PrintSetupDialog.h"

namespace keldwick::test {
namespace {

constexpr int kPrintSetup = -2, kExit = -3, kCut = -5, kCopy = -6, kPaste = -7;
constexpr int kTile = -10, kCascade = -11, kArrangeIcons = -12;
constexpr int kHelpContents = -13, kHelpSearch = -14, kHowToUseHelp = -15;

class StandardActions : public DesktopFixture {
  protected:
    // Opens two more status windows once the first shows its results.
    PersonScript& withThreeWindows(PersonScript& person) { return withWindows(person, 3); }

    PersonScript& withWindows(PersonScript& person, int count) {
        person.when(
            "the first results", [&] { return resultsShownIn(1); }, [] {});
        for (int shown = 1; shown < count; ++shown) {
            person.when(
                "results in " + std::to_string(shown) + " windows",
                [this, shown] { return resultsShownIn(shown); }, [this] { choose(kGetVersion); });
        }
        return person.when(
            "all results", [this, count] { return resultsShownIn(count); }, [] {});
    }

    void tileAndCascade(int count) {
        QSize before;
        PersonScript person;
        withWindows(person, count)
            .then("tile",
                  [&] {
                      before = frame().size();
                      choose(kTile);
                  })
            .when(
                "the scroll bars brought up to date, or the frame resized",
                [&] {
                    return frame().area().horizontalScrollBar()->maximum() > 0 || frame().size() != before;
                },
                [&] {
                    EXPECT_EQ(frame().size(), before) << "tiled";
                    const auto windows = children();
                    const QRect extent = scrollableExtent();
                    for (int i = 0; i < windows.size(); ++i) {
                        EXPECT_TRUE(extent.contains(windows[i]->geometry())) << i;
                        for (int j = i + 1; j < windows.size(); ++j) {
                            EXPECT_FALSE(windows[i]->geometry().intersects(windows[j]->geometry())) << i << j;
                        }
                    }
                    choose(kCascade);
                    EXPECT_EQ(frame().size(), before) << "cascaded";
                    choose(kExit);
                });
        runProgram(person);
    }

    // Where the window area's scroll bars can take the view.
    QRect scrollableExtent() {
        QMdiArea& area = frame().area();
        const QRect viewport = area.viewport()->rect();
        return {-area.horizontalScrollBar()->value(), -area.verticalScrollBar()->value(),
                viewport.width() + area.horizontalScrollBar()->maximum(),
                viewport.height() + area.verticalScrollBar()->maximum()};
    }
};

TEST_F(StandardActions, TileLaysTheWindowsSideBySideAndCascadeStacksThem) {
    PersonScript person;
    withThreeWindows(person)
        .then("tile", [&] { choose(kTile); })
        .when(
            "the scroll bars brought up to date",
            [&] { return frame().area().horizontalScrollBar()->maximum() > 0; },
            [&] {
                const auto windows = children();
                const QRect area = scrollableExtent();
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

// Tiling as many windows as a person may open: the frame keeps its size and
// the area scrolls to what does not fit; cascading does not resize it either.
TEST_F(StandardActions, TileAndCascadeNeverResizeTheFrameWith4Windows) {
    tileAndCascade(4);
}

TEST_F(StandardActions, TileAndCascadeNeverResizeTheFrameWith9Windows) {
    tileAndCascade(9);
}

TEST_F(StandardActions, TileAndCascadeNeverResizeTheFrameWith16Windows) {
    tileAndCascade(16);
}

TEST_F(StandardActions, CopyPutsTheFocusedValueOnTheClipboard) {
    PersonScript person;
    person.when(
        "the first results", [&] { return resultsShownIn(1); },
        [&] {
            QGuiApplication::clipboard()->setText("before");
            display(children().front(), 4)->setFocus();
            choose(kCopy);
            EXPECT_EQ(QGuiApplication::clipboard()->text(), "4.00.950");
            choose(kExit);
        });
    runProgram(person);
}

// After a check the focus rests on Close, where Copy used to copy nothing.
TEST_F(StandardActions, CopyWithNoValueFocusedCopiesEveryResultOfTheActiveWindow) {
    PersonScript person;
    person.when(
        "the first results and the focus on Close",
        [&] { return resultsShownIn(1) && QApplication::focusWidget() == closeButton(children().front()); },
        [&] {
            QGuiApplication::clipboard()->setText("before");
            EXPECT_TRUE(menuEntry(kCopy)->isEnabled());
            choose(kCopy);
            EXPECT_EQ(QGuiApplication::clipboard()->text(),
                      "Is Win95? YES\nVRedir Version: 4.00.950\nRecommend: UPGRADE\n");
            QGuiApplication::clipboard()->setText("before");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
            EXPECT_EQ(QGuiApplication::clipboard()->text().count(QLatin1Char('\n')), 3) << "Ctrl+C too";
            choose(kExit);
        });
    runProgram(person);
}

// A line edit keeps Ctrl+C for itself and copies nothing when nothing is selected.
TEST_F(StandardActions, CtrlCOnAResultWithNothingSelectedCopiesTheWholeValue) {
    PersonScript person;
    person.when(
        "the first results", [&] { return resultsShownIn(1); },
        [&] {
            QLineEdit* value = display(children().front(), 6);
            value->setFocus();
            value->deselect();
            QGuiApplication::clipboard()->setText("before");
            QTest::keyClick(value, Qt::Key_C, Qt::ControlModifier);
            EXPECT_EQ(QGuiApplication::clipboard()->text(), "UPGRADE");
            value->setSelection(0, 3);
            QTest::keyClick(value, Qt::Key_C, Qt::ControlModifier);
            EXPECT_EQ(QGuiApplication::clipboard()->text(), "UPG") << "a selection is copied as it is";
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
            EXPECT_FALSE(menuEntry(kCut)->isEnabled()) << "a result cannot be cut";
            EXPECT_FALSE(menuEntry(kPaste)->isEnabled()) << "nor pasted into";
            QGuiApplication::clipboard()->setText("pasted");
            value->selectAll();
            choose(kCut);
            QTest::keyClick(value, Qt::Key_X, Qt::ControlModifier);
            EXPECT_EQ(value->text(), "UPGRADE");
            choose(kPaste);
            QTest::keyClick(value, Qt::Key_V, Qt::ControlModifier);
            EXPECT_EQ(value->text(), "UPGRADE");
            EXPECT_EQ(QGuiApplication::clipboard()->text(), "pasted");
            choose(kExit);
        });
    runProgram(person);
}

// Greyed out as Qt's MDI example greys them, and kept current as windows
// open, close and minimise and as the focus moves.
TEST_F(StandardActions, EntriesThatCannotActAreGreyedOut) {
    const auto enabled = [this](std::initializer_list<int> entries) {
        QStringList on;
        for (const int entry : entries) {
            if (menuEntry(entry)->isEnabled()) {
                on << menuEntry(entry)->text();
            }
        }
        return on;
    };
    const std::initializer_list<int> editAndArrange{kCut, kCopy, kPaste, kTile, kCascade, kArrangeIcons};
    PersonScript person;
    person
        .when(
            "the first results", [&] { return resultsShownIn(1); },
            [&] {
                EXPECT_EQ(enabled(editAndArrange), (QStringList{"&Copy", "T&ile", "&Cascade"}));
                children().front()->showMinimized();
            })
        .when(
            "the window minimised", [&] { return menuEntry(kArrangeIcons)->isEnabled(); },
            [&] {
                EXPECT_EQ(enabled({kTile, kCascade, kArrangeIcons}), (QStringList{"&Arrange Icons"}));
                children().front()->showNormal();
                QTest::mouseClick(closeButton(children().front()), Qt::LeftButton);
            })
        .when(
            "no window left", [&] { return children().isEmpty(); },
            [&] {
                EXPECT_EQ(enabled(editAndArrange), QStringList{});
                EXPECT_TRUE(menuEntry(kGetVersion)->isEnabled());
                EXPECT_TRUE(menuEntry(kHelpContents)->isEnabled());
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

TEST_F(StandardActions, HelpIsAWindowOfTheFrameCentredOverIt) {
    const auto help = [this] { return windows().standardActions()->helpWindow(); };
    PersonScript person;
    person
        .when(
            "the first results", [&] { return resultsShownIn(1); }, [&] { choose(kHelpContents); })
        .when(
            "the help shown", [&] { return help() != nullptr && help()->isActiveWindow(); },
            [&] {
                EXPECT_EQ(help()->parentWidget(), &frame());
                EXPECT_TRUE(help()->isWindow());
                const QPoint offCentre = help()->frameGeometry().center() - frame().frameGeometry().center();
                // Within what the window's own frame adds once it is shown.
                EXPECT_LE(std::abs(offCentre.x()), 3) << offCentre.x();
                EXPECT_LE(std::abs(offCentre.y()), 3) << offCentre.y();
                choose(kExit);
            });
    runProgram(person);
}

TEST_F(StandardActions, HelpStartsCleanAfterASearch) {
    PersonScript person;
    person.when(
        "the first results", [&] { return resultsShownIn(1); },
        [&] {
            choose(kHelpSearch);
            auto* help = windows().standardActions()->helpWindow();
            ASSERT_NE(help, nullptr);
            help->searchField().setText("report file");
            help->search();
            ASSERT_GT(help->results().count(), 0);
            choose(kHowToUseHelp);
            EXPECT_TRUE(help->searchField().text().isEmpty()) << "the old query is gone";
            EXPECT_FALSE(help->results().isVisible());
            EXPECT_FALSE(help->browser().textCursor().hasSelection()) << "no old match highlighted";
            help->searchField().setText("report file");
            help->search();
            choose(kHelpSearch);
            EXPECT_TRUE(help->searchField().text().isEmpty());
            EXPECT_EQ(help->results().count(), 0);
            EXPECT_FALSE(help->browser().textCursor().hasSelection());
            choose(kExit);
        });
    runProgram(person);
}

// With no window manager nobody gives the keyboard back once a window of
// the frame's closes, and F1 or Ctrl+Q would reach nothing.
TEST_F(StandardActions, KeyboardReturnsToTheFrameWhenHelpOrPrintSetupCloses) {
    const auto frameHasTheKeyboard = [this] {
        return frame().isActiveWindow() && QGuiApplication::focusWindow() == frame().windowHandle();
    };
    PersonScript person;
    person
        .when(
            "the first results", [&] { return resultsShownIn(1); },
            [&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1); })
        .when(
            "the help with the keyboard",
            [&] {
                auto* help = windows().standardActions()->helpWindow();
                return help != nullptr && help->isActiveWindow();
            },
            [&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); })
        .when("the frame with the keyboard again", frameHasTheKeyboard,
              [&] {
                  EXPECT_FALSE(windows().standardActions()->helpWindow()->isVisible());
                  choose(kPrintSetup);
              })
        .when(
            "the printer set-up with the keyboard",
            [&] {
                auto* dialog = windows().standardActions()->printerSetup().openDialog();
                return dialog != nullptr && dialog->isActiveWindow();
            },
            [&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); })
        .when("the frame with the keyboard once more", frameHasTheKeyboard,
              [&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier); });
    runProgram(person);
}

TEST_F(StandardActions, PrinterSetupOffersPrintersAndPaperWithoutBlockingOrComplaining) {
    const MessageCatcher messages;
    PersonScript person;
    person
        .when(
            "the first results", [&] { return resultsShownIn(1); }, [&] { choose(kPrintSetup); })
        .when(
            "the printer set-up",
            [&] {
                const auto* dialog = windows().standardActions()->printerSetup().openDialog();
                return dialog != nullptr && dialog->isVisible();
            },
            [&] {
                auto& dialog = *windows().standardActions()->printerSetup().openDialog();
                EXPECT_EQ(dialog.windowTitle(), "Print Setup");
                EXPECT_GE(dialog.printers().findText(rt::qt::PrintSetupDialog::fileEntryText()), 0)
                    << "printing to a file is always offered";
                const int a5 = dialog.paperSizes().findData(int(QPageSize::A5));
                ASSERT_GE(a5, 0);
                dialog.printers().setCurrentIndex(dialog.printers().count() - 1);
                dialog.paperSizes().setCurrentIndex(a5);
                dialog.landscape().setChecked(true);
                dialog.accept();
                const QPrinter* printer = windows().standardActions()->printerSetup().printer();
                EXPECT_EQ(printer->pageLayout().pageSize().id(), QPageSize::A5);
                EXPECT_EQ(printer->pageLayout().orientation(), QPageLayout::Landscape);
                EXPECT_EQ(printer->outputFormat(), QPrinter::PdfFormat);
                choose(kExit);
            });
    runProgram(person);
    EXPECT_EQ(messages.warnings().join('\n').toStdString(), "") << "nothing on standard error";
}

}  // namespace
}  // namespace keldwick::test
