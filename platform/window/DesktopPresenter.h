#pragma once

#include <memory>
#include <string>

#include "platform/base/Result.h"
#include "platform/window/Presenter.h"

namespace rt {

// Why this desktop gives no presenter: one line, for standard error.
struct DesktopError {
    std::string reason;
};

// Loads the presenter that draws windows on this desktop. The toolkit lives
// in a module of its own that only this call loads, so that hidden runs need
// neither a display nor the toolkit's libraries. Fails when there is no
// display or the module cannot be loaded. Call on the first thread, before
// any window is shown.
rt::Result<std::unique_ptr<Presenter>, DesktopError> loadDesktopPresenter();

}  // namespace rt
