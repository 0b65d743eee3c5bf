#include "DesktopPresenterLoader.h"

#include <algorithm>
#include <cstring>
#include <system_error>

#include "LoadedModule.h"
#include "ModulePresenter.h"
#include "platform/window/PresenterModule.h"

namespace rt {

namespace fs = std::filesystem;

namespace {

using Loaded = rt::Result<std::unique_ptr<Presenter>, DesktopError>;

std::string joined(std::span<const fs::path> paths) {
    std::string text;
    for (const auto& path : paths) {
        text += (text.empty() ? "" : ", ") + path.parent_path().string();
    }
    return text;
}

// A table with a gap would be called through a null pointer later, far
// from here.
bool isComplete(const KwPresenter& table) {
    return table.size == sizeof(KwPresenter) && table.self != nullptr && table.attach != nullptr &&
           table.show != nullptr && table.setText != nullptr && table.focus != nullptr &&
           table.close != nullptr && table.beep != nullptr && table.tellUser != nullptr &&
           table.setZone != nullptr && table.setAbout != nullptr && table.waitForWork != nullptr &&
           table.wakeUp != nullptr && table.shutdown != nullptr && table.destroy != nullptr;
}

Loaded offerOf(LoadedModule module, const fs::path& path) {
    auto* entry = reinterpret_cast<KwModuleEntry>(module.symbol(KELDWICK_MODULE_ENTRY_NAME));
    if (entry == nullptr) {
        return DesktopError{"the window module " + path.string() + " has no entry point"};
    }
    KwModuleOffer offer{};
    offer.size = sizeof(offer);
    const int interface = entry(KELDWICK_MODULE_INTERFACE, &offer);
    if (interface != KELDWICK_MODULE_INTERFACE) {
        return DesktopError{"the window module " + path.string() +
                            " belongs to another version of the program"};
    }
    if (offer.presenter.self == nullptr) {
        const std::size_t length = strnlen(offer.error, sizeof(offer.error));
        return DesktopError{length == 0 ? std::string("the window module could not start")
                                        : std::string(offer.error, length)};
    }
    if (!isComplete(offer.presenter)) {
        if (offer.presenter.destroy != nullptr) {
            offer.presenter.destroy(offer.presenter.self);
        }
        return DesktopError{"the window module " + path.string() +
                            " belongs to another version of the program"};
    }
    return std::unique_ptr<Presenter>(std::make_unique<ModulePresenter>(std::move(module), offer.presenter));
}

}  // namespace

std::vector<fs::path> presenterModuleCandidates(const fs::path& programFile) {
    std::vector<fs::path> candidates;
    // Without a program path nothing relative is tried: a module from the
    // current folder would run whatever code someone left there.
    if (programFile.is_absolute()) {
        const fs::path programDir = programFile.parent_path();
        candidates.push_back(programDir / KELDWICK_MODULE_FILE_NAME);
        candidates.push_back(
            (programDir / KELDWICK_MODULE_DIR_FROM_PROGRAM / KELDWICK_MODULE_FILE_NAME).lexically_normal());
    }
    candidates.push_back(fs::path(KELDWICK_INSTALLED_MODULE_DIR) / KELDWICK_MODULE_FILE_NAME);
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
    return candidates;
}

Loaded loadPresenterModule(std::span<const fs::path> candidates) {
    for (const auto& path : candidates) {
        std::error_code ignored;
        if (!fs::is_regular_file(path, ignored)) {
            continue;
        }
        auto module = LoadedModule::open(path.string());
        if (!module) {
            return DesktopError{"cannot load the window module: " + module.error().reason};
        }
        return offerOf(std::move(module).value(), path);
    }
    return DesktopError{std::string("the window module ") + KELDWICK_MODULE_FILE_NAME +
                        " is not installed (looked in " + joined(candidates) + ")"};
}

Loaded loadDesktopPresenter() {
    std::error_code failed;
    const fs::path program = fs::read_symlink("/proc/self/exe", failed);
    return loadPresenterModule(presenterModuleCandidates(failed ? fs::path() : program));
}

}  // namespace rt
