#pragma once

#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>

#include "platform/definition/WindowDescription.h"

// Inline, so that every presenter pairs values with their labels the same way
// without linking the window layer.
namespace rt {

// A label belongs to the value display on its row: within half a line of it, in layout units.
inline constexpr std::int32_t kSameRow = 4;

// The static text that labels a value display: the nearest one to its left on
// the same row. Definitions name no such pairs, so they are read from the layout.
[[nodiscard]] inline const definition::Control* labelOf(const definition::WindowDescription& window,
                                                        const definition::Control& display) {
    const definition::Control* nearest = nullptr;
    for (const auto& label : window.controls) {
        if (label.kind == definition::ControlKind::StaticText && label.x < display.x &&
            std::llabs(static_cast<std::int64_t>(label.y) - display.y) <= kSameRow &&
            (nearest == nullptr || label.x > nearest->x)) {
            nearest = &label;
        }
    }
    return nearest;
}

// A label as a person reads it: no access-key marks, no trailing blanks.
[[nodiscard]] inline std::string labelText(std::string_view text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i;
        }
        plain += text[i];
    }
    plain.erase(plain.find_last_not_of(' ') + 1);
    return plain;
}

// Every value display of the window with its label, one line each in
// definition order: the label, a tab, the value without its padding blanks.
// `texts` holds the controls' current texts by id.
[[nodiscard]] inline std::string resultsText(const definition::WindowDescription& window,
                                             const std::map<int, std::string>& texts) {
    std::string out;
    for (const auto& display : window.controls) {
        if (display.kind != definition::ControlKind::ValueDisplay) {
            continue;
        }
        const auto* label = labelOf(window, display);
        const auto value = texts.find(display.id);
        std::string shown = value != texts.end() ? value->second : std::string();
        shown.erase(shown.find_last_not_of(' ') + 1);
        out += (label != nullptr ? labelText(label->text) : std::string()) + '\t' + shown + '\n';
    }
    return out;
}

}  // namespace rt
