#include <xcb/xcb.h>

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "DesktopFixture.h"
#include "platform/qt/HelpWindow.h"
#include "platform/qt/PrintSetupDialog.h"
#include "platform/qt/SelectWindowDialog.h"

namespace keldwick::test {
namespace {

constexpr int kPrintSetup = -2, kExit = -3, kCut = -5, kCopy = -6, kPaste = -7;
constexpr int kTile = -10, kCascade = -11, kArrangeIcons = -12;
constexpr int kHelpContents = -13, kHelpSearch = -14, kHowToUseHelp = -15;

// xcb allocates each reply with malloc and leaves it to the caller to free.
struct XcbReplyFree {
    // NOLINTNEXTLINE(cppcoreguidelines-no-malloc,cppcoreguidelines-owning-memory): xcb's malloc
    void operator()(void* reply) const { std::free(reply); }
};

// Whether the window system keeps `window` above `owner`: on X11 the
// WM_TRANSIENT_FOR property a window manager reads, which Qt sets only for
// dialog-like windows; elsewhere what Qt would set it from.
bool isTransientFor(QWidget& window, QWidget& owner) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr) {
        const QWindow* handle = window.windowHandle();
        return handle != nullptr && handle->transientParent() == owner.windowHandle() &&
               handle->type() == Qt::Dialog;
    }
    const std::unique_ptr<xcb_get_property_reply_t, XcbReplyFree> property(
        xcb_get_property_reply(connection,
                               xcb_get_property(connection, 0, static_cast<xcb_window_t>(window.winId()),
                                                XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 0, 1),
                               nullptr));
    if (property == nullptr || xcb_get_property_value_length(property.get()) != sizeof(xcb_window_t)) {
        return false;
    }
    return *static_cast<const xcb_window_t*>(xcb_get_property_value(property.get())) ==
           static_cast<xcb_window_t>(owner.winId());
}

class StandardActions : public DesktopFixture {
  protected:
    // Opens two more status windows once the first shows its results.
    PersonScript& withThreeWindows(PersonScript& person) { return withWindows(person, 3); }

    // Tiling as many windows as a person may open: every window keeps its
    // size and so does the frame, nothing overlaps, and the area scrolls to
    // what does not fit; cascading does not resize the frame either.
    void tileAndCascade(int count) {
        QSize before;
        std::vector<QSize> sizes;
        PersonScript person;
        withWindows(person, count)
            .then("tile",
                  [&] {
                      before = frame().size();
                      for (QMdiSubWindow* window : children()) {
                          sizes.push_back(window->size());
                      }
                      choose(kTile);
                  })
            .when(
                "the scroll bars reach every window", [&] { return scrollBarsReachEveryWindow(); },
                [&] {
                    EXPECT_EQ(frame().size(), before) << "tiled";
                    expectTiledAsTheyWere(children(), sizes);
                    choose(kCascade);
                    EXPECT_EQ(frame().size(), before) << "cascaded";
                    choose(kExit);
                });
        runProgram(person);
    }

    bool scrollBarsReachEveryWindow() {
        const QRect extent = scrollableExtent();
        const auto windows = children();
        return std::all_of(windows.begin(), windows.end(),
                           [&](const QMdiSubWindow* window) { return extent.contains(window->geometry()); });
    }

    // Sizes as before, no two overlapping, as many in view as fit there
    // above the icons' row.
    void expectTiledAsTheyWere(const QList<QMdiSubWindow*>& windows, const std::vector<QSize>& sizes,
                               int iconHeight = 0) {
        ASSERT_EQ(windows.size(), static_cast<qsizetype>(sizes.size()));
        const QRect view = frame().area().viewport()->rect();
        int inView = 0;
        for (int i = 0; i < windows.size(); ++i) {
            EXPECT_EQ(windows[i]->size(), sizes[static_cast<std::size_t>(i)]) << "window " << i;
            inView += view.contains(windows[i]->geometry()) ? 1 : 0;
            for (int j = i + 1; j < windows.size(); ++j) {
                EXPECT_FALSE(windows[i]->geometry().intersects(windows[j]->geometry())) << i << " " << j;
            }
        }
        const QSize cell = windows[0]->size();
        const int across = std::max(view.width() / cell.width(), 1);
        const int down = std::max((view.height() - iconHeight) / cell.height(), 1);
        EXPECT_EQ(inView, std::min(across * down, static_cast<int>(windows.size())));
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
            "the scroll bars reach every window", [&] { return scrollBarsReachEveryWindow(); },
            [&] {
                const auto windows = children();
                for (int i = 0; i < windows.size(); ++i) {
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

// Fixed windows were stretched to a share of the area, and tiled again at
// every resize of the frame; a minimised one lay over the bottom row.
TEST_F(StandardActions, TileKeepsEachWindowsSizeAboveTheIconsAndAResizeLeavesThemBe) {
    std::vector<QSize> sizes;
    std::vector<QPoint> tiled;
    PersonScript person;
    withWindows(person, 4)
        .then("minimise the first, make room for two across, tile",
              [&] {
                  children()[0]->showMinimized();
                  frame().resize(frame().width() + 300, frame().height() + 250);
              })
        .when(
            "the frame resized", [&] { return frame().area().viewport()->width() > 700; },
            [&] {
                for (QMdiSubWindow* window : children().mid(1)) {
                    sizes.push_back(window->size());
                }
                choose(kTile);
                const QRect icon = children()[0]->geometry();
                const auto windows = children().mid(1);
                expectTiledAsTheyWere(windows, sizes, icon.height());
                for (QMdiSubWindow* window : windows) {
                    EXPECT_FALSE(window->geometry().intersects(icon)) << "the icons' row stays free";
                    tiled.push_back(window->pos());
                }
                EXPECT_EQ(windows[1]->y(), windows[0]->y()) << "two across";
                frame().resize(frame().width() + 200, frame().height() + 200);
            })
        .when(
            "the frame resized again", [&] { return frame().area().viewport()->width() > 900; },
            [&] {
                std::vector<QPoint> now;
                for (QMdiSubWindow* window : children().mid(1)) {
                    now.push_back(window->pos());
                }
                EXPECT_EQ(now, tiled) << "not tiled again";
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
        EXPECT_EQ(entries[4]->text(), "&1 Vredir.VXD Status:1");
        EXPECT_EQ(entries[6]->text(), "&3 Vredir.VXD Status:3");
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

// It listed every window, 40 of them over the screen's height, and marked
// the active one with a radio dot.
TEST_F(StandardActions, WindowMenuListsNineWithTheActiveCheckedAndMoreWindowsOffersTheRest) {
    const auto menuOpen = [] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); };
    QList<QMdiSubWindow*> opened;
    PersonScript person;
    withWindows(person, 11)
        .then("Alt+W",
              [&] {
                  opened = children();
                  QTest::keyClick(QApplication::focusWidget(), Qt::Key_W, Qt::AltModifier);
              })
        .when(
            "the window menu", [&] { return menuOpen() != nullptr && menuOpen()->title() == "&Window"; },
            [&] {
                QStringList listed;
                for (QAction* entry : menuOpen()->actions().mid(4)) {
                    listed << entry->text();
                    if (entry->isCheckable()) {
                        const auto* group = entry->actionGroup();
                        EXPECT_TRUE(group == nullptr || !group->isExclusive())
                            << "a check mark, not a radio dot";
                    }
                }
                ASSERT_EQ(listed.size(), 10);
                EXPECT_EQ(listed[0], "&1 Vredir.VXD Status:1");
                EXPECT_EQ(listed[8], "&9 Vredir.VXD Status:11") << "the active one takes the ninth place";
                EXPECT_EQ(listed[9], "&More Windows...");
                const auto entries = menuOpen()->actions();
                EXPECT_TRUE(entries[12]->isChecked());
                EXPECT_EQ(std::count_if(entries.begin(), entries.end(),
                                        [](const QAction* entry) { return entry->isChecked(); }),
                          1);
                QTest::keyClick(menuOpen(), Qt::Key_M);
            })
        .when(
            "the list of all windows",
            [&] {
                const auto* dialog = frame().windowMenu()->selectDialog();
                return dialog != nullptr && dialog->isVisible() &&
                       QApplication::activePopupWidget() == nullptr;
            },
            [&] {
                auto& list = frame().windowMenu()->selectDialog()->list();
                EXPECT_EQ(list.count(), 11);
                EXPECT_EQ(list.currentRow(), 10) << "the active one";
                QTest::keyClick(&list, Qt::Key_Home);
                QTest::keyClick(&list, Qt::Key_Return);
            })
        .when(
            "the first window chosen", [&] { return frame().area().activeSubWindow() == opened[0]; },
            [&] { choose(kExit); });
    runProgram(person);
}

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

// With no window manager the frame stands at the screen's top left, and help
// centred over it went off the screen. Help stays above the frame, as a
// window of the frame's, and has nothing to go back to when it first opens.
TEST_F(StandardActions, HelpStandsOverTheFrameOnTheScreenWithNothingToGoBackTo) {
    const auto help = [this] { return windows().standardActions()->helpWindow(); };
    const auto helpShown = [&] { return help() != nullptr && help()->isVisible(); };
    const auto back = [&] { return help()->findChild<QPushButton*>(QStringLiteral("back")); };
    PersonScript person;
    person
        .when(
            "the first results", [&] { return resultsShownIn(1); },
            [&] {
                frame().move(0, 0);
                choose(kHelpContents);
            })
        .when("the help shown", helpShown,
              [&] {
                  EXPECT_EQ(help()->parentWidget(), &frame());
                  EXPECT_TRUE(help()->isWindow());
                  EXPECT_TRUE(isTransientFor(*help(), frame()));
                  const QRect screen = frame().screen()->availableGeometry();
                  EXPECT_TRUE(screen.contains(help()->frameGeometry()))
                      << help()->frameGeometry().x() << "," << help()->frameGeometry().y();
                  EXPECT_FALSE(back()->isEnabled()) << "nothing to go back to";
                  help()->browser().setSource(help()->browser().source().resolved(QUrl("results.html")));
                  EXPECT_TRUE(back()->isEnabled()) << "a link followed";
                  help()->close();
                  const QRect room = frame().screen()->availableGeometry();
                  frame().move(room.center() - QPoint(frame().width() / 2, frame().height() / 2));
              })
        .when(
            "the help closed", [&] { return !help()->isVisible(); }, [&] { choose(kHelpContents); })
        .when("the help shown again", helpShown, [&] {
            const QPoint offCentre = help()->frameGeometry().center() - frame().frameGeometry().center();
            // Within what the window's own frame adds once it is shown.
            EXPECT_LE(std::abs(offCentre.x()), 3) << offCentre.x();
            EXPECT_LE(std::abs(offCentre.y()), 3) << offCentre.y();
            EXPECT_FALSE(back()->isEnabled()) << "opened anew, it starts clean";
            choose(kExit);
        });
    runProgram(person);
}

// F1 opened the contents wherever it was pressed.
TEST_F(StandardActions, F1OpensTheActiveWindowsOwnPageAndTheContentsWhereNoneIsActive) {
    const auto help = [this] { return windows().standardActions()->helpWindow(); };
    const auto shows = [&](const char* page) {
        return help() != nullptr && help()->isVisible() && help()->browser().source().path().endsWith(page);
    };
    PersonScript person;
    person
        .when(
            "the first results", [&] { return resultsShownIn(1); },
            [&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1); })
        .when(
            "the status window's page", [&] { return shows("/status-window.html"); },
            [&] {
                help()->close();
                QTest::mouseClick(closeButton(children().front()), Qt::LeftButton);
            })
        .when(
            "no status window and the frame with the keyboard",
            [&] { return children().isEmpty() && frame().isActiveWindow(); },
            [&] { QTest::keyClick(&frame(), Qt::Key_F1); })
        .when(
            "the contents", [&] { return shows("/index.html"); }, [&] { choose(kExit); });
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
              [&] {
                  // Closed before their activation arrived: that came late to a hidden window.
                  choose(kHelpContents);
                  windows().standardActions()->helpWindow()->close();
                  choose(kPrintSetup);
                  windows().standardActions()->printerSetup().openDialog()->reject();
              })
        .when("the frame with the keyboard after windows that were never active", frameHasTheKeyboard,
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

// The windows never showed the program's version.
TEST_F(StandardActions, AboutNamesTheProgramItsVersionAndTheReportsFolder) {
    const auto box = [this] { return frame().findChild<QMessageBox*>(QStringLiteral("aboutBox")); };
    PersonScript person;
    person
        .when(
            "the first results", [&] { return resultsShownIn(1); },
            [&] {
                QAction* about = frame().aboutEntry();
                ASSERT_NE(about, nullptr);
                EXPECT_EQ(frame().menuBar()->actions()[4]->menu()->actions().back(), about);
                about->trigger();
            })
        .when(
            "the About box", [&] { return box() != nullptr && box()->isVisible(); },
            [&] {
                EXPECT_EQ(box()->windowTitle(), "About Redirector Status");
                const QString text = box()->text();
                EXPECT_TRUE(text.contains("keldwick " KELDWICK_VERSION)) << text.toStdString();
                EXPECT_TRUE(text.contains(QString::fromStdString(report().parent_path().string())))
                    << text.toStdString();
                box()->accept();
                choose(kExit);
            });
    runProgram(person);
}

}  // namespace
}  // namespace keldwick::test
