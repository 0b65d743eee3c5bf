#pragma once

#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "platform/definition/WindowDescription.h"

// Inline, so that every presenter (a loadable module among them) pairs labels
// and values the same way without linking the window layer.
namespace rt {

namespace labelled_detail {

// Half a line of the window's font, in layout units (a line is 8).
constexpr std::int64_t kSameRow = 4;

inline bool isPlaced(const definition::Control& control) {
    return control.x != definition::kNotGiven && control.y != definition::kNotGiven;
}

inline std::string withoutTrailingBlanks(std::string text) {
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}

}  // namespace labelled_detail

// Which static text labels a value display: the nearest one to its left on
// the same row, within half a line of it. Definitions place labels by eye, a
// unit or three off their values' row, so a row is a band rather than a line.
// Null when the display stands alone.
inline const definition::Control* labelOf(const definition::WindowDescription& window,
                                          const definition::Control& display) {
    if (!labelled_detail::isPlaced(display)) {
        return nullptr;
    }
    const definition::Control* nearest = nullptr;
    for (const auto& label : window.controls) {
        if (label.kind != definition::ControlKind::StaticText || !labelled_detail::isPlaced(label) ||
            label.x >= display.x ||
            std::llabs(std::int64_t{label.y} - display.y) > labelled_detail::kSameRow) {
            continue;
        }
        if (nearest == nullptr || label.x > nearest->x) {
            nearest = &label;
        }
    }
    return nearest;
}

// A window's values as a person would copy them out of it: one line per value
// display in chain order, its label (without trailing blanks) and then its
// current text, e.g. "Is Win95? YES". `texts` holds the controls' current
// texts by id; a display with none shows as its label alone.
inline std::vector<std::string> labelledValues(const definition::WindowDescription& window,
                                               const std::map<int, std::string>& texts) {
    std::vector<std::string> lines;
    for (const auto& display : window.controls) {
        if (display.kind != definition::ControlKind::ValueDisplay) {
            continue;
        }
        const auto found = texts.find(display.id);
        const std::string value =
            found == texts.end() ? std::string() : labelled_detail::withoutTrailingBlanks(found->second);
        const definition::Control* label = labelOf(window, display);
        std::string line =
            label != nullptr ? labelled_detail::withoutTrailingBlanks(label->text) : std::string();
        if (!line.empty() && !value.empty()) {
            line += ' ';
        }
        lines.push_back(line + value);
    }
    return lines;
}

}  // namespace rt
