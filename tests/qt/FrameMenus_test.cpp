#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>

#include "DesktopFixture.h"

namespace keldwick::test {
namespace {

using FrameMenus = DesktopFixture;

QStringList textsOf(const QList<QAction*>& actions) {
    QStringList texts;
    for (const QAction* action : actions) {
        texts << (action->isSeparator() ? QStringLiteral("--") : action->text());
    }
    return texts;
}

TEST_F(FrameMenus, MenuBarMirrorsTheDefinition) {
    PersonScript person;
    person.when(
        "the first results", [&] { return resultsShownIn(1); },
        [&] {
            const auto menus = frame().menuBar()->actions();
            EXPECT_EQ(textsOf(menus), (QStringList{"&File", "&Edit", "&Test", "&Window", "&Help"}));
            EXPECT_EQ(textsOf(menus[0]->menu()->actions()), (QStringList{"P&rint Setup...", "--", "E&xit"}));
            EXPECT_EQ(textsOf(menus[3]->menu()->actions()),
                      (QStringList{"T&ile", "&Cascade", "&Arrange Icons"}))
                << "no window list until the menu opens";
            EXPECT_EQ(textsOf(menus[4]->menu()->actions()),
                      (QStringList{"&Contents", "&Search for Help On...", "&How to Use Help", "--",
                                   "&About Redirector Status..."}))
                << "the window layer's own About ends the help menu";
            EXPECT_TRUE(menuEntry(-13)->shortcuts().isEmpty()) << "F1 is the active window's help";
            EXPECT_EQ(menuEntry(-3)->statusTip(), "Exit this application");
            EXPECT_EQ(menuEntry(-6)->statusTip(), "Copy item to Windows Clipboard");
            EXPECT_TRUE(menuEntry(-9)->statusTip().isEmpty());
            EXPECT_EQ(menus[3]->statusTip(), "Create and Arrange windows") << "a menu's own message";
            EXPECT_TRUE(menuEntry(-3)->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Q)))
                << "on desktops with Windows key conventions too";
            choose(-3);
        });
    runProgram(person);
}

TEST_F(FrameMenus, AccessKeysOpenMenusAndTheHighlightedEntryExplainsItself) {
    PersonScript person;
    person
        .when(
            "the first results", [&] { return resultsShownIn(1); },
            [&] { QTest::keyClick(&frame(), Qt::Key_W, Qt::AltModifier); })
        .when(
            "the Window menu open", [&] { return QApplication::activePopupWidget() != nullptr; },
            [&] {
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                ASSERT_NE(menu, nullptr);
                EXPECT_EQ(menu->title(), "&Window");
                QTest::keyClick(menu, Qt::Key_Down);
                ASSERT_NE(menu->activeAction(), nullptr);
                EXPECT_EQ(menu->activeAction()->text(), "&Cascade")
                    << "the keyboard opens on the first entry";
                EXPECT_EQ(frame().statusBar()->currentMessage(), "Stack all open windows");
                EXPECT_TRUE(frame().zones()[1]->isVisible()) << "the other zones stay in view";
                QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
                QTest::keyClick(frame().menuBar(), Qt::Key_Escape);
            })
        .when(
            "the message gone with the menus",
            [&] {
                return QApplication::activePopupWidget() == nullptr &&
                       frame().statusBar()->currentMessage().isEmpty();
            },
            [&] {
                EXPECT_TRUE(frame().zones()[0]->isVisible());
                choose(-3);
            });
    runProgram(person);
}

TEST_F(FrameMenus, StatusZonesKeepTheirWidthsAndTheFirstTakesTheRest) {
    int firstBefore = 0;
    PersonScript person;
    person
        .when(
            "the first results", [&] { return resultsShownIn(1); },
            [&] {
                const auto& zones = frame().zones();
                ASSERT_EQ(zones.size(), 4u);
                EXPECT_EQ(zones[1]->width(), 80);
                EXPECT_EQ(zones[2]->width(), 120);
                EXPECT_EQ(zones[3]->width(), 45);
                EXPECT_LT(zones[0]->x(), zones[1]->x());
                EXPECT_LT(zones[2]->x(), zones[3]->x());
                firstBefore = zones[0]->width();
                frame().resize(frame().width() + 100, frame().height());
            })
        .when(
            "the wider frame laid out", [&] { return frame().zones()[0]->width() > firstBefore; },
            [&] {
                EXPECT_EQ(frame().zones()[0]->width(), firstBefore + 100);
                EXPECT_EQ(frame().zones()[3]->width(), 45);
                choose(-3);
            });
    runProgram(person);
}

}  // namespace
}  // namespace keldwick::test
