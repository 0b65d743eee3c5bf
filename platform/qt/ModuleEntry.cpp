#include <QtGlobal>

#include "DisplayCheck.h"
#include "PresenterModule.h"
#include "QtPresenter.h"

// The module's one entry point. Foreign code calls it, so nothing may escape.
extern "C" Q_DECL_EXPORT int keldwickMakePresenter(int hostInterface, rt::desktop::ModuleOffer* offer) {
    using namespace rt::desktop;
    if (hostInterface != kModuleInterface || offer == nullptr) {
        return kModuleInterface;
    }
    try {
        HeldDisplayConnection held;
        if (auto missing = missingDisplay(currentDisplayEnvironment(), systemDisplayProbes(held))) {
            offer->error = *missing;
            return kModuleInterface;
        }
        offer->presenter = QtPresenter::create();
    } catch (...) {
        offer->error = "the window module could not start";
    }
    return kModuleInterface;
}
