#pragma once

#include <memory>
#include <string>

#include "platform/window/Presenter.h"

// What the program and the Qt presenter module agree on. The program loads
// the module by file name and finds one entry point in it; both sides are
// built from the same sources, and the interface number keeps a stale module
// from being used by a newer program. Nothing here includes Qt.
namespace rt::desktop {

inline constexpr int kModuleInterface = 2;
inline constexpr const char* kModuleFileName = "keldwick-qt.so";
inline constexpr const char* kModuleEntryName = "keldwickMakePresenter";

// Filled by the entry point: a presenter, or the one-line reason there is none.
struct ModuleOffer {
    std::unique_ptr<Presenter> presenter;
    std::string error;
};

// Returns the module's interface number and fills `offer` only when it equals
// `hostInterface`. Call on the first thread, which becomes the GUI thread.
using ModuleEntry = int (*)(int hostInterface, ModuleOffer* offer);

}  // namespace rt::desktop
