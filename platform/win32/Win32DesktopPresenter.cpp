#include "Win32Presenter.h"
#include "platform/window/DesktopPresenter.h"

namespace rt {

// The Windows desktop is always there and its controls are part of the
// system, so nothing needs loading: the presenter is made on the spot.
std::unique_ptr<Presenter> loadDesktopPresenter(std::string& error) {
    return win32::Win32Presenter::create(error);
}

}  // namespace rt
