#pragma once

#include <functional>
#include <optional>
#include <string>

struct xcb_connection_t;

namespace rt::qt {

// Qt ends the whole process when it finds no display it can use, so the
// presenter asks first, before the application object exists.
struct DisplayEnvironment {
    std::string platform;        // QT_QPA_PLATFORM
    std::string display;         // DISPLAY
    std::string waylandDisplay;  // WAYLAND_DISPLAY
};

// What can only be learnt by trying; replaced in tests.
struct DisplayProbes {
    std::function<bool()> x11Answers;
    std::function<bool()> waylandSupportInstalled;
};

// The connection the X probe opened, kept until Qt has made its own: an X
// server whose last client leaves resets, and refuses connections meanwhile.
class HeldDisplayConnection {
  public:
    HeldDisplayConnection() = default;
    ~HeldDisplayConnection();
    HeldDisplayConnection(const HeldDisplayConnection&) = delete;
    HeldDisplayConnection& operator=(const HeldDisplayConnection&) = delete;

    // True when the display named by DISPLAY answers; its connection is then held.
    bool connect();

  private:
    xcb_connection_t* m_connection = nullptr;
};

DisplayEnvironment currentDisplayEnvironment();
// The X probe holds its connection in `held`.
DisplayProbes systemDisplayProbes(HeldDisplayConnection& held);

// The one-line reason no window can be shown here, or nothing. A platform
// chosen by the person is trusted as it is.
[[nodiscard]] std::optional<std::string> missingDisplay(const DisplayEnvironment& environment,
                                                        const DisplayProbes& probes);

}  // namespace rt::qt
