#pragma once

#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/window/Presenter.h"

namespace rt {

// Where the presenter module may be for a program at `programFile`, in the
// order they are tried: beside the program (a build tree), where installing
// puts it relative to the program, then where this build installs it.
std::vector<std::filesystem::path> presenterModuleCandidates(const std::filesystem::path& programFile);

// Loads the first candidate that exists and asks it for a presenter. Null,
// with a one-line reason in `error`, when none exists, none loads, or the
// module can show no windows here.
std::unique_ptr<Presenter> loadPresenterModule(std::span<const std::filesystem::path> candidates,
                                               std::string& error);

}  // namespace rt
