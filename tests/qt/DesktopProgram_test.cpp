#include <xcb/xcb.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTest>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <memory>
#include <set>
#include <utility>

#include "DesktopFixture.h"
#include "platform/qt/Appearance.h"
#include "platform/qt/DesktopIdentity.h"
#include "platform/qt/WarmUpThread.h"
#include "platform/window/LayoutUnits.h"
#include "platform/window/ReadableColour.h"
#include "tests/support/TempFolder.h"

namespace keldwick::test {
namespace {

using DesktopProgram = DesktopFixture;
using rt::BaseUnits;

// xcb allocates each reply with malloc and leaves it to the caller to free.
struct XcbReplyFree {
    // NOLINTNEXTLINE(cppcoreguidelines-no-malloc,cppcoreguidelines-owning-memory): xcb's malloc
    void operator()(void* reply) const { std::free(reply); }
};
template <typename Reply>
using XcbReply = std::unique_ptr<Reply, XcbReplyFree>;

// Whether the X window carries an icon for the window manager and task bars.
bool hasWindowManagerIcon(WId window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr) {
        return false;
    }
    const char name[] = "_NET_WM_ICON";
    const XcbReply<xcb_intern_atom_reply_t> atom(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr));
    if (atom == nullptr) {
        return false;
    }
    const XcbReply<xcb_get_property_reply_t> property(
        xcb_get_property_reply(connection,
                               xcb_get_property(connection, 0, static_cast<xcb_window_t>(window), atom->atom,
                                                XCB_ATOM_CARDINAL, 0, 4),
                               nullptr));
    return property != nullptr && xcb_get_property_value_length(property.get()) > 0;
}

// On an X server the screen as it shows the frame, with whatever decorations
// a window manager gives it; off screen the frame alone.
QPixmap screenshotOfTheFrame(QWidget& frame) {
    if (QGuiApplication::platformName() != "xcb") {
        return frame.grab();
    }
    const QRect outer = frame.frameGeometry();
    return frame.screen()->grabWindow(0, outer.x(), outer.y(), outer.width(), outer.height());
}

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
            })
        .when(
            "the focus on Close",
            [&] { return QApplication::focusWidget() == closeButton(children().front()); },
            [&] {
                QDir().mkpath(QFileInfo(QStringLiteral(KELDWICK_SCREENSHOT)).absolutePath());
                EXPECT_TRUE(screenshotOfTheFrame(frame()).save(QStringLiteral(KELDWICK_SCREENSHOT)));
                choose(-3);
            });
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

// The keys of a Windows MDI frame, whatever the desktop's own conventions.
TEST_F(DesktopProgram, CtrlF4ClosesAndCtrlTabSwitchesChildWindowsOneStepAtATime) {
    QList<QMdiSubWindow*> opened;
    const auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    };
    PersonScript person;
    person
        .when(
            "the first results", [&] { return resultsShownIn(1); }, [&] { choose(kGetVersion); })
        .when(
            "the second results", [&] { return resultsShownIn(2); }, [&] { choose(kGetVersion); })
        .when(
            "the third results", [&] { return resultsShownIn(3); },
            [&] {
                opened = children();
                QMdiArea& area = frame().area();
                ASSERT_EQ(area.activeSubWindow(), opened[2]);
                press(Qt::Key_Tab, Qt::ControlModifier);
                EXPECT_EQ(area.activeSubWindow(), opened[0])
                    << "Ctrl+Tab: the next window, and only one step";
                press(Qt::Key_F6, Qt::ControlModifier);
                EXPECT_EQ(area.activeSubWindow(), opened[1]) << "Ctrl+F6 as well";
                press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
                EXPECT_EQ(area.activeSubWindow(), opened[0]) << "Ctrl+Shift+Tab: the previous window";
                press(Qt::Key_F4, Qt::ControlModifier);
                EXPECT_TRUE(opened[0]->isVisible()) << "the window's procedure closes it";
            })
        .when(
            "the window closed by Ctrl+F4", [&] { return children().size() == 2; },
            [&] {
                EXPECT_FALSE(children().contains(opened[0]));
                choose(-3);
            });
    runProgram(person);
}

// From the fifth window on Qt put each new one exactly on one of four
// corner spots, so that GetVersion seemed to do nothing.
TEST_F(DesktopProgram, NewWindowsCascadeInViewNeverExactlyOnAnOpenOne) {
    PersonScript person;
    withWindows(person, 8).then("look at them", [&] {
        const QRect view = frame().area().viewport()->rect();
        std::set<std::pair<int, int>> places;
        for (QMdiSubWindow* window : children()) {
            EXPECT_TRUE(view.contains(window->geometry())) << window->x() << "," << window->y();
            places.insert({window->x(), window->y()});
        }
        EXPECT_EQ(places.size(), 8u);
        EXPECT_EQ(frame().area().activeSubWindow(), children().back()) << "the newest in front";
        choose(-3);
    });
    runProgram(person);
}

// Every status window was "Vredir.VXD Status", and nothing told them apart.
TEST_F(DesktopProgram, SeveralStatusWindowsAreNumberedInOpeningOrderOneAloneIsNot) {
    const auto titles = [this] {
        QStringList shown;
        for (QMdiSubWindow* window : children()) {
            shown << window->windowTitle();
        }
        return shown;
    };
    PersonScript person;
    person.when(
        "the first results", [&] { return resultsShownIn(1); },
        [&] { EXPECT_EQ(titles(), QStringList{"Vredir.VXD Status"}); });
    withWindows(person, 3)
        .then("close the first",
              [&] {
                  EXPECT_EQ(titles(), (QStringList{"Vredir.VXD Status:1", "Vredir.VXD Status:2",
                                                   "Vredir.VXD Status:3"}));
                  QTest::mouseClick(closeButton(children().front()), Qt::LeftButton);
              })
        .when(
            "two left", [&] { return children().size() == 2; },
            [&] {
                EXPECT_EQ(titles(), (QStringList{"Vredir.VXD Status:1", "Vredir.VXD Status:2"}));
                QTest::mouseClick(closeButton(children().front()), Qt::LeftButton);
            })
        .when(
            "one left", [&] { return children().size() == 1; },
            [&] {
                EXPECT_EQ(titles(), QStringList{"Vredir.VXD Status"});
                choose(-3);
            });
    runProgram(person);
}

// Qt activated the oldest window after a close and kept a minimised one
// active; with many windows the new active one's title was drawn inactive.
class ActivationAfterAClose : public DesktopFixture, public ::testing::WithParamInterface<int> {
  protected:
    // The one window drawn active, with the keyboard focus inside it.
    bool drawnActiveWithTheFocus(QMdiSubWindow* window) {
        int drawnActive = 0;
        for (QMdiSubWindow* child : children()) {
            drawnActive += child->windowState().testFlag(Qt::WindowActive) ? 1 : 0;
        }
        return drawnActive == 1 && window->windowState().testFlag(Qt::WindowActive) &&
               frame().area().activeSubWindow() == window &&
               window->isAncestorOf(QApplication::focusWidget());
    }
};

TEST_P(ActivationAfterAClose, GoesToTheWindowUnderneathAsAfterAMinimise) {
    const int count = GetParam();
    QList<QMdiSubWindow*> opened;
    PersonScript person;
    withWindows(person, count)
        .then("Ctrl+F4",
              [&] {
                  opened = children();
                  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4, Qt::ControlModifier);
              })
        // Qt settles the focus a turn of the event loop after the change.
        .when(
            "the newest closed and the one underneath active, drawn so, with the focus",
            [&] { return children().size() == count - 1 && drawnActiveWithTheFocus(opened[count - 2]); },
            [&] {
                EXPECT_EQ(frame().area().subWindowList(QMdiArea::StackingOrder).front(), opened[0])
                    << "the oldest stays at the back";
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Minus, Qt::AltModifier);
            })
        .when(
            "its own menu",
            [&] { return QApplication::activePopupWidget() == opened[count - 2]->systemMenu(); },
            [&] { QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_N); })
        .when(
            "minimised and the next one underneath active, drawn so, with the focus",
            [&] { return opened[count - 2]->isMinimized() && drawnActiveWithTheFocus(opened[count - 3]); },
            [&] {
                EXPECT_FALSE(opened[count - 2]->windowState().testFlag(Qt::WindowActive))
                    << "the icon is not";
                choose(-3);
            });
    runProgram(person);
}

INSTANTIATE_TEST_SUITE_P(DesktopProgram, ActivationAfterAClose, ::testing::Values(4, 16));

// Alt+minus did nothing, and Esc in a menu left the keyboard in the menu bar.
TEST_F(DesktopProgram, AltMinusOpensTheWindowsOwnMenuAndEscFromAnyMenuGivesTheKeyboardBack) {
    QPointer<QWidget> before;
    PersonScript person;
    person
        .when(
            "the first results and the focus on Close",
            [&] {
                return resultsShownIn(1) && QApplication::focusWidget() == closeButton(children().front());
            },
            [&] {
                before = QApplication::focusWidget();
                QTest::keyClick(before, Qt::Key_Minus, Qt::AltModifier);
            })
        .when(
            "the window's own menu",
            [&] { return QApplication::activePopupWidget() == children().front()->systemMenu(); },
            [&] {
                QStringList offered;
                for (QAction* entry : children().front()->systemMenu()->actions()) {
                    if (entry->isVisible() && !entry->isSeparator()) {
                        offered << entry->text().remove('&');
                    }
                }
                for (const char* wanted : {"Restore", "Move", "Minimize", "Close"}) {
                    EXPECT_TRUE(offered.contains(wanted))
                        << wanted << ": " << offered.join(", ").toStdString();
                }
                QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
            })
        .when(
            "the menu closed and the keyboard back on Close",
            [&] {
                return QApplication::activePopupWidget() == nullptr && QApplication::focusWidget() == before;
            },
            [&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_E, Qt::AltModifier); })
        .when(
            "the Edit menu", [&] { return QApplication::activePopupWidget() != nullptr; },
            [&] {
                QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
                // As the menu's activation does when it arrives after the menu closed:
                // the bar loses the keyboard, forgets where it came from, and gets it back.
                auto* bar = frame().menuBar();
                ASSERT_TRUE(bar->hasFocus());
                bar->clearFocus();
                bar->setFocus();
            })
        .when(
            "the Edit menu closed and the keyboard back on Close, not in the menu bar",
            [&] {
                return QApplication::activePopupWidget() == nullptr && QApplication::focusWidget() == before;
            },
            [&] {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                EXPECT_EQ(QApplication::focusWidget(), control(children().front(), 2))
                    << "Tab reaches the window";
                // Left before the menu's activation arrived: that came late to a hidden menu.
                before = QApplication::focusWidget();
                QTest::keyClick(before, Qt::Key_E, Qt::AltModifier);
                ASSERT_NE(QApplication::activePopupWidget(), nullptr);
                QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
            })
        .when(
            "the keyboard back in the window after a menu left at once",
            [&] {
                return QApplication::activePopupWidget() == nullptr &&
                       QApplication::focusWidget() == before && frame().isActiveWindow();
            },
            [&] { choose(-3); });
    runProgram(person);
}

// The blue note read at about 1.5:1 on a dark palette.
TEST_F(DesktopProgram, BlueNoteReadsOnTheDesktopsPaletteAndStaysBlue) {
    const auto noteContrast = [this] {
        const QPalette palette = control(children().front(), 7)->palette();
        const QColor text = palette.color(QPalette::WindowText);
        const QColor ground = palette.color(QPalette::Window);
        return rt::contrastRatio({text.red(), text.green(), text.blue()},
                                 {ground.red(), ground.green(), ground.blue()});
    };
    const QPalette light = QApplication::palette();
    QPalette dark = light;
    dark.setColor(QPalette::Window, QColor(53, 53, 53));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(35, 35, 35));
    dark.setColor(QPalette::Button, QColor(53, 53, 53));
    PersonScript person;
    person
        .when(
            "the first results on a light palette", [&] { return resultsShownIn(1); },
            [&] {
                EXPECT_EQ(control(children().front(), 7)->palette().color(QPalette::WindowText),
                          QColor(0, 0, 255));
                QApplication::setPalette(dark);
            })
        .when(
            "the dark palette taken",
            [&] {
                return control(children().front(), 7)->palette().color(QPalette::Window) ==
                       QColor(53, 53, 53);
            },
            [&] {
                EXPECT_GE(noteContrast(), rt::kReadableContrast);
                const QColor shade = control(children().front(), 7)->palette().color(QPalette::WindowText);
                EXPECT_EQ(shade.blue(), 255);
                EXPECT_LT(shade.red(), shade.blue()) << "still blue";
                choose(kGetVersion);
            })
        .when(
            "a window opened on the dark palette", [&] { return resultsShownIn(2); },
            [&] {
                const QPalette palette = control(children().back(), 7)->palette();
                EXPECT_EQ(palette.color(QPalette::WindowText),
                          control(children().front(), 7)->palette().color(QPalette::WindowText));
                QApplication::setPalette(light);
                choose(-3);
            });
    runProgram(person);
    QApplication::setPalette(light);
}

// Standard error alone said that the report could not be written.
TEST_F(DesktopProgram, StatusBarSaysWhenTheReportWasNotWrittenUntilACheckWritesIt) {
    std::filesystem::create_directory(report());
    const auto zone = [this] { return frame().zones().at(2); };
    PersonScript person;
    person
        .when(
            "the first results", [&] { return resultsShownIn(1); },
            [&] {
                EXPECT_EQ(zone()->text(), "Report not written");
                EXPECT_TRUE(zone()->toolTip().startsWith(QString::fromStdString(report().string()) + ": "))
                    << zone()->toolTip().toStdString();
                std::filesystem::remove(report());
                choose(kGetVersion);
            })
        .when(
            "the second results", [&] { return resultsShownIn(2); },
            [&] {
                EXPECT_EQ(zone()->text(), "") << "a written report shows nothing there";
                EXPECT_EQ(zone()->toolTip(), "");
                EXPECT_TRUE(std::filesystem::is_regular_file(report()));
                choose(-3);
            });
    runProgram(person);
}

// The definition gives the status window a fixed frame: its controls sit at
// fixed places, so it neither sizes nor maximises. The frame does both.
TEST_F(DesktopProgram, StatusWindowHasNoSizingBorderAndNoMaximiseButton) {
    PersonScript person;
    person.when(
        "the first results", [&] { return resultsShownIn(1); },
        [&] {
            QMdiSubWindow* status = children().front();
            EXPECT_FALSE(status->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
            EXPECT_TRUE(status->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
            for (QAction* entry : status->systemMenu()->actions()) {
                const QString name = entry->text().remove(QLatin1Char('&'));
                if (name == "Maximize" || name == "Size") {
                    EXPECT_FALSE(entry->isVisible() && entry->isEnabled()) << name.toStdString();
                }
            }
            const QSize size = status->size();
            const QPoint title(status->width() / 2,
                               status->style()->pixelMetric(QStyle::PM_TitleBarHeight) / 2);
            QTest::mouseDClick(status, Qt::LeftButton, {}, title);
            EXPECT_FALSE(status->isMaximized()) << "a double click on the title bar";
            const QPoint corner(status->width() - 2, status->height() - 2);
            QTest::mousePress(status, Qt::LeftButton, {}, corner);
            QTest::mouseMove(status, corner + QPoint(60, 40));
            QTest::mouseRelease(status, Qt::LeftButton, {}, corner + QPoint(60, 40));
            EXPECT_EQ(status->size(), size) << "a drag on the corner";
            EXPECT_TRUE(frame().windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
            EXPECT_NE(frame().minimumSize(), frame().maximumSize());
            choose(-3);
        });
    runProgram(person);
}

// The bottom row of a text's ink, in `widget`'s parent's coordinates: the
// labels and values here have no letters that reach below the baseline.
int inkBottom(const QImage& image, const QRect& box) {
    for (int y = box.bottom(); y >= box.top(); --y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 96) {
                return y;
            }
        }
    }
    return -1;
}

TEST_F(DesktopProgram, LabelsStandOnTheBaselineOfTheirValues) {
    PersonScript person;
    person.when(
        "the first results", [&] { return resultsShownIn(1); },
        [&] {
            QMdiSubWindow* status = children().front();
            const BaseUnits base = rt::qt::Appearance::baseUnitsOf(status->widget()->font());
            const QImage image = status->widget()->grab().toImage();
            const qreal scale = image.devicePixelRatio();
            const auto scaled = [scale](const QRect& box) {
                return QRect((box.topLeft().toPointF() * scale).toPoint(),
                             (box.size().toSizeF() * scale).toSize());
            };
            struct Row {
                int label;
                int value;
                QPoint defined;  // the label's position in layout units
            };
            for (const auto& [labelId, valueId, defined] :
                 {Row{1, 2, {28, 3}}, Row{3, 4, {10, 21}}, Row{5, 6, {20, 37}}}) {
                QWidget* label = control(status, labelId);
                QLineEdit* value = display(status, valueId);
                // Inside the value's frame, where only its text is drawn.
                const int inset = value->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 1;
                const QRect text = value->geometry().adjusted(inset, inset, -inset, -inset);
                const int labelInk = inkBottom(image, scaled(label->geometry()));
                const int valueInk = inkBottom(image, scaled(text));
                ASSERT_GE(labelInk, 0) << labelId;
                ASSERT_GE(valueInk, 0) << valueId;
                EXPECT_EQ(labelInk, valueInk) << "label " << labelId << " against value " << valueId;
                EXPECT_EQ(label->pos(), QPoint(rt::horizontalPixels(defined.x(), base),
                                               rt::verticalPixels(defined.y(), base)))
                    << "the label keeps its defined place";
            }
            choose(-3);
        });
    runProgram(person);
}

TEST_F(DesktopProgram, FrameAndChildrenCarryTheProgramIcon) {
    PersonScript person;
    person.when(
        "the first results", [&] { return resultsShownIn(1); },
        [&] {
            const QIcon icon = QApplication::windowIcon();
            ASSERT_FALSE(icon.isNull());
            EXPECT_EQ(frame().windowIcon().cacheKey(), icon.cacheKey());
            EXPECT_EQ(children().front()->windowIcon().cacheKey(), icon.cacheKey())
                << "not the toolkit's logo";
            if (QGuiApplication::platformName() == "xcb") {
                EXPECT_TRUE(hasWindowManagerIcon(frame().winId()));
            }
            choose(-3);
        });
    runProgram(person);
}

// The icon is read beside the first windows and may come after them: a
// child window already shown must show it in its title bar, not the
// toolkit's logo it started with.
TEST_F(DesktopProgram, ChildShownBeforeTheIconCameShowsItInItsTitleBar) {
    const QIcon programIcon = QApplication::windowIcon();
    QPixmap red(16, 16);
    red.fill(Qt::red);
    PersonScript person;
    person.when(
        "the first results", [&] { return resultsShownIn(1); },
        [&] {
            windows().adoptProgramIcon(QIcon(red));
            QMdiSubWindow* status = children().front();
            QStyleOptionTitleBar option;
            option.initFrom(status);
            option.titleBarFlags = status->windowFlags();
            option.titleBarState = static_cast<int>(status->windowState().toInt());
            option.subControls = QStyle::SC_TitleBarSysMenu;
            const QRect menuButton = status->style()->subControlRect(QStyle::CC_TitleBar, &option,
                                                                     QStyle::SC_TitleBarSysMenu, status);
            const QImage image = status->grab(menuButton).toImage();
            bool showsRed = false;
            for (int y = 0; y < image.height() && !showsRed; ++y) {
                for (int x = 0; x < image.width() && !showsRed; ++x) {
                    showsRed = image.pixelColor(x, y) == QColor(Qt::red);
                }
            }
            EXPECT_TRUE(showsRed) << "the title bar's icon";
            EXPECT_EQ(frame().windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
            windows().adoptProgramIcon(programIcon);
            choose(-3);
        });
    runProgram(person);
}

// The program reads its icon beside the first windows; an uninstalled
// program finds the pictures in the build tree.
TEST(WarmUpThread, HandsOverTheBuildTreesIconPictures) {
    std::promise<std::size_t> read;
    auto count = read.get_future();
    rt::qt::WarmUpThread warmUp;
    warmUp.applicationMade(
        QStringLiteral(KELDWICK_PROGRAM_DIR),
        [&read](const rt::qt::WarmUpThread::Pictures& pictures) { read.set_value(pictures.size()); });
    ASSERT_EQ(count.wait_for(std::chrono::seconds(30)), std::future_status::ready);
    EXPECT_GE(count.get(), 4u);
}

// An uninstalled program finds its icon in the build tree, laid out as installed.
TEST(DesktopIdentity, IconIsFoundInTheBuildTree) {
    rt::test::TempFolder noData;
    const QByteArray before = qgetenv("XDG_DATA_DIRS");
    qputenv("XDG_DATA_DIRS", QByteArray::fromStdString(noData.str()));
    const QIcon icon = rt::qt::DesktopIdentity::icon(QStringLiteral(KELDWICK_PROGRAM_DIR));
    const QIcon elsewhere = rt::qt::DesktopIdentity::icon(QString::fromStdString(noData.str()));
    qputenv("XDG_DATA_DIRS", before);
    EXPECT_GE(icon.availableSizes().size(), 4);
    EXPECT_TRUE(elsewhere.isNull());
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
}  // namespace keldwick::test
