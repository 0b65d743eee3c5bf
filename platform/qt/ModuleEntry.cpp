#include <QtGlobal>

#include "DisplayCheck.h"
#include "PresenterTable.h"
#include "QtPresenter.h"

// The module's one entry point: a presenter on Qt, where a display answers.
extern "C" Q_DECL_EXPORT int keldwickMakePresenter(int hostInterface, KwModuleOffer* offer) {
    using namespace rt::qt;
    return offerPresenter(
        hostInterface, offer, []() -> rt::Result<std::unique_ptr<rt::Presenter>, OfferError> {
            HeldDisplayConnection held;
            if (auto missing = missingDisplay(currentDisplayEnvironment(), systemDisplayProbes(held))) {
                return OfferError{*std::move(missing)};
            }
            return std::unique_ptr<rt::Presenter>(QtPresenter::create());
        });
}
