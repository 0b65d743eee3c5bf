#pragma once

#include <memory>
#include <string>

#include "platform/window/Presenter.h"

namespace rt {

// Loads the presenter that draws windows on this desktop. The toolkit lives
// in a module of its own that only this call loads, so that hidden runs need
// neither a display nor the toolkit's libraries. Null, with the reason in
// `error`, when there is no display or the module cannot be loaded.
// Call on the first thread, before any window is shown.
std::unique_ptr<Presenter> loadDesktopPresenter(std::string& error);

}  // namespace rt
