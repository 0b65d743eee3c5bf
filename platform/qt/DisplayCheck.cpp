#include "DisplayCheck.h"

#include <xcb/xcb.h>

#include <QDir>
#include <QLibraryInfo>
#include <QStringList>
#include <cstdlib>

namespace rt::qt {

namespace {

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

bool waylandPluginInstalled() {
    const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms"));
    return !platforms.entryList({QStringLiteral("libqwayland*.so")}, QDir::Files).isEmpty();
}

}  // namespace

DisplayEnvironment currentDisplayEnvironment() {
    return {environmentValue("QT_QPA_PLATFORM"), environmentValue("DISPLAY"),
            environmentValue("WAYLAND_DISPLAY")};
}

HeldDisplayConnection::~HeldDisplayConnection() {
    if (m_connection != nullptr) {
        xcb_disconnect(m_connection);
    }
}

// One round trip to the server named by DISPLAY.
bool HeldDisplayConnection::connect() {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) != 0) {
        xcb_disconnect(connection);
        return false;
    }
    if (m_connection != nullptr) {
        xcb_disconnect(m_connection);
    }
    m_connection = connection;
    return true;
}

DisplayProbes systemDisplayProbes(HeldDisplayConnection& held) {
    return {[&held] { return held.connect(); }, &waylandPluginInstalled};
}

std::optional<std::string> missingDisplay(const DisplayEnvironment& environment,
                                          const DisplayProbes& probes) {
    if (!environment.platform.empty()) {
        return std::nullopt;
    }
    if (!environment.display.empty()) {
        if (probes.x11Answers()) {
            return std::nullopt;
        }
        return "cannot open the X display \"" + environment.display + "\"";
    }
    if (environment.waylandDisplay.empty()) {
        return std::string("no graphical display (neither DISPLAY nor WAYLAND_DISPLAY is set)");
    }
    if (probes.waylandSupportInstalled()) {
        return std::nullopt;
    }
    return std::string(
        "the Wayland display has no Qt support installed (qt6-wayland), and no X display (DISPLAY) is set");
}

}  // namespace rt::qt
