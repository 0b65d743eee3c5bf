#include "Win32Presenter.h"
#include "platform/window/DesktopPresenter.h"

namespace rt {

// The Windows desktop is always there and its controls are part of the
// system, so nothing needs loading: the presenter is made on the spot.
rt::Result<std::unique_ptr<Presenter>, DesktopError> loadDesktopPresenter() {
    auto made = win32::Win32Presenter::create();
    if (!made) {
        return std::move(made).error();
    }
    return std::unique_ptr<Presenter>(std::move(made).value());
}

}  // namespace rt
