#include "platform/qt/GuiThread.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QObject>
#include <string>
#include <vector>

namespace rt::qt {
namespace {

// A status window asked for while the frame is being built must be built
// right after it, not after Qt has gone on to paint the frame alone.
TEST(GuiThread, RequestMadeWhileOthersAreCarriedOutComesBeforeQtsEventsMeanwhile) {
    GuiThread gui;
    QObject context;
    std::vector<std::string> order;
    gui.run([&] {
        QMetaObject::invokeMethod(
            &context, [&] { order.emplace_back("Qt's event"); }, Qt::QueuedConnection);
        gui.run([&] { order.emplace_back("next request"); });
    });
    gui.drain();
    EXPECT_EQ(order, (std::vector<std::string>{"next request", "Qt's event"}));
}

TEST(GuiThread, RequestWaitingInAnEventLoopOfItsOwnDoesNotHoldUpTheNext) {
    GuiThread gui;
    bool nextRan = false;
    bool nextRanWhileWaiting = false;
    gui.run([&] {
        gui.run([&] { nextRan = true; });
        QCoreApplication::sendPostedEvents();
        nextRanWhileWaiting = nextRan;
    });
    gui.drain();
    EXPECT_TRUE(nextRanWhileWaiting);
}

}  // namespace
}  // namespace rt::qt
