#pragma once

#include <functional>
#include <memory>

#include "platform/base/Result.h"
#include "platform/window/Presenter.h"
#include "platform/window/PresenterModule.h"

namespace rt::qt {

// Why the module offers no presenter: one line, for the program to print.
struct OfferError {
    std::string reason;
};

using PresenterMaker = std::function<rt::Result<std::unique_ptr<Presenter>, OfferError>()>;

// The module's entry point, with what makes its presenter: answers as the
// entry must (see PresenterModule.h) and, when the numbers agree, fills
// `offer` with the presenter's table or the reason there is none. Nothing
// thrown gets out: an error while making the presenter becomes its reason.
int offerPresenter(int hostInterface, KwModuleOffer* offer, const PresenterMaker& make) noexcept;

// The table through which the program reaches `presenter`. Its `self` owns
// the presenter until the table's destroy() is called. Each function copies
// what it is handed before it returns; an error thrown inside one ends the
// program with a message, since it cannot go back through the program's
// frames.
KwPresenter presenterTable(std::unique_ptr<Presenter> presenter);

}  // namespace rt::qt
