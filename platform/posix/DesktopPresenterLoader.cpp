#include "DesktopPresenterLoader.h"

#include <algorithm>
#include <system_error>

#include "LoadedModule.h"
#include "ModulePresenter.h"
#include "platform/qt/PresenterModule.h"
#include "platform/window/DesktopPresenter.h"

namespace rt {

namespace fs = std::filesystem;

namespace {

std::string joined(std::span<const fs::path> paths) {
    std::string text;
    for (const auto& path : paths) {
        text += (text.empty() ? "" : ", ") + path.parent_path().string();
    }
    return text;
}

std::unique_ptr<Presenter> offerOf(LoadedModule module, const fs::path& path, std::string& error) {
    auto* entry = reinterpret_cast<desktop::ModuleEntry>(module.symbol(desktop::kModuleEntryName));
    if (entry == nullptr) {
        error = "the window module " + path.string() + " has no entry point";
        return nullptr;
    }
    desktop::ModuleOffer offer;
    const int interface = entry(desktop::kModuleInterface, &offer);
    if (interface != desktop::kModuleInterface) {
        error = "the window module " + path.string() + " belongs to another version of the program";
        return nullptr;
    }
    if (!offer.presenter) {
        error = offer.error.empty() ? "the window module could not start" : offer.error;
        return nullptr;
    }
    return std::make_unique<ModulePresenter>(std::move(module), std::move(offer.presenter));
}

}  // namespace

std::vector<fs::path> presenterModuleCandidates(const fs::path& programFile) {
    std::vector<fs::path> candidates;
    // Without a program path nothing relative is tried: a module from the
    // current folder would run whatever code someone left there.
    if (programFile.is_absolute()) {
        const fs::path programDir = programFile.parent_path();
        candidates.push_back(programDir / desktop::kModuleFileName);
        candidates.push_back(
            (programDir / KELDWICK_MODULE_DIR_FROM_PROGRAM / desktop::kModuleFileName).lexically_normal());
    }
    candidates.push_back(fs::path(KELDWICK_INSTALLED_MODULE_DIR) / desktop::kModuleFileName);
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
    return candidates;
}

std::unique_ptr<Presenter> loadPresenterModule(std::span<const fs::path> candidates, std::string& error) {
    for (const auto& path : candidates) {
        std::error_code ignored;
        if (!fs::is_regular_file(path, ignored)) {
            continue;
        }
        auto module = LoadedModule::open(path.string(), error);
        if (!module.isLoaded()) {
            error.insert(0, "cannot load the window module: ");
            return nullptr;
        }
        return offerOf(std::move(module), path, error);
    }
    error = "the window module ";
    error.append(desktop::kModuleFileName)
        .append(" is not installed (looked in ")
        .append(joined(candidates)) += ")";
    return nullptr;
}

keldwick::Result<std::unique_ptr<Presenter>, DesktopError> loadDesktopPresenter() {
    std::error_code failed;
    const fs::path program = fs::read_symlink("/proc/self/exe", failed);
    const auto candidates = presenterModuleCandidates(failed ? fs::path() : program);
    std::string error;
    auto presenter = loadPresenterModule(candidates, error);
    if (!presenter) {
        return DesktopError{std::move(error)};
    }
    return presenter;
}

}  // namespace rt
