#include "WindowState.h"

#include <algorithm>

namespace rt {

const definition::Control* WindowState::control(int controlId) const {
    const auto& controls = description->controls;
    const auto found =
        std::find_if(controls.begin(), controls.end(), [&](const auto& c) { return c.id == controlId; });
    return found == controls.end() ? nullptr : &*found;
}

// A static text only labels; focus stays where it was.
bool WindowState::canTakeFocus(int controlId) const {
    const auto* found = control(controlId);
    return found != nullptr && found->kind != definition::ControlKind::StaticText;
}

WindowView WindowState::view() const {
    return {id, role == WindowRole::Frame, description, texts, focus};
}

}  // namespace rt
