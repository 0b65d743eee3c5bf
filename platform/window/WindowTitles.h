#pragma once

#include <span>
#include <string>
#include <vector>

// Inline, so that both presenters title their windows by one rule without
// linking the window layer.
namespace rt {

// The title each child window shows, from the defined titles of the open
// ones in the order they were opened. Where several share a defined title,
// each shows its place among them after a colon ("Status:2"), as MDI programs
// number the windows of one document: the newest has the highest number, and
// the numbers close up when one closes. A title no other open window shares
// is shown as defined. The definitions themselves stay as they are.
[[nodiscard]] inline std::vector<std::string> shownTitles(std::span<const std::string> defined) {
    std::vector<std::string> shown;
    shown.reserve(defined.size());
    for (std::size_t i = 0; i < defined.size(); ++i) {
        std::size_t place = 0;
        std::size_t sharing = 0;
        for (std::size_t j = 0; j < defined.size(); ++j) {
            if (defined[j] == defined[i]) {
                ++sharing;
                place += j <= i ? 1 : 0;
            }
        }
        auto& title = shown.emplace_back(defined[i]);
        if (sharing > 1) {
            title += ':';
            title += std::to_string(place);
        }
    }
    return shown;
}

}  // namespace rt
