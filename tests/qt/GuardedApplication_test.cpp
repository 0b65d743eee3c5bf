#include "platform/qt/GuardedApplication.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QObject>
#include <stdexcept>

namespace rt::qt {
namespace {

// Unwinding through Qt's event loop would end in std::terminate (status 134)
// or worse; the program ends in order, saying why.
TEST(GuardedApplicationDeathTest, ErrorInASlotEndsTheProgramWithAMessage) {
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    ASSERT_NE(dynamic_cast<GuardedApplication*>(QCoreApplication::instance()), nullptr);
    QObject context;
    EXPECT_EXIT(
        {
            QMetaObject::invokeMethod(
                &context, [] { throw std::runtime_error("slot failed"); }, Qt::QueuedConnection);
            QCoreApplication::processEvents();
        },
        testing::ExitedWithCode(1), "the window module ended by an error");
}

}  // namespace
}  // namespace rt::qt
