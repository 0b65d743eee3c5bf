#pragma once

#include <string>

#include "platform/window/Presenter.h"
#include "platform/window/PresenterModule.h"

namespace rt::qt {

// A text handed over by the program, copied: the program's memory is valid
// only during its call.
std::string copiedText(KwText text);

// The module's own copy of a view handed over by the program, in the
// presenter's types. A view without a description gets an empty one.
WindowView copiedView(const KwWindowView& view);

}  // namespace rt::qt
