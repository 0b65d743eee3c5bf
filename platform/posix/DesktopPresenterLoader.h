#pragma once

#include <filesystem>
#include <memory>
#include <span>
#include <vector>

#include "platform/base/Result.h"
#include "platform/window/DesktopPresenter.h"
#include "platform/window/Presenter.h"

namespace rt {

// Where the presenter module may be for a program at `programFile`, in the
// order they are tried: beside the program (a build tree), where installing
// puts it relative to the program, then where this build installs it.
std::vector<std::filesystem::path> presenterModuleCandidates(const std::filesystem::path& programFile);

// Loads the first candidate that exists and asks it for a presenter. Fails,
// with a one-line reason, when none exists, none loads, it belongs to another
// version of the program, or it can show no windows here.
rt::Result<std::unique_ptr<Presenter>, DesktopError> loadPresenterModule(
    std::span<const std::filesystem::path> candidates);

}  // namespace rt
