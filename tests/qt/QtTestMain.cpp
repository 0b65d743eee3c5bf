#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/qt/DesktopIdentity.h"
#include "platform/qt/DisplayCheck.h"
#include "platform/qt/GuardedApplication.h"

// One application object for the whole run, of the kind the program makes;
// each test makes and shuts down its own presenter around it.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    using namespace rt::qt;
    // With no display named at all the tests still run, drawn off screen; a
    // display that is named but dead fails loudly instead.
    const auto environment = currentDisplayEnvironment();
    if (environment.platform.empty() && environment.display.empty() && environment.waylandDisplay.empty()) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    // With no session bus, libdbus would start one for Qt by forking; under
    // the address sanitizer that child can hang on the sanitizer's own locks.
    // An address that fails at once leaves Qt without the bus, as it would be.
    setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/session-bus", 0);
    DesktopIdentity::applyNames();
    GuardedApplication application(argc, argv);
    DesktopIdentity::applyIcon();
    return RUN_ALL_TESTS();
}
