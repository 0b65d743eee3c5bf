#include "platform/window/DesktopPresenter.h"

namespace rt {

// Builds without a desktop presenter draw nothing: their windows exist for
// the window procedures but are never shown.
std::unique_ptr<Presenter> loadDesktopPresenter(std::string& error) {
    error = "this build has no desktop presenter; windows are not shown";
    return nullptr;
}

}  // namespace rt
