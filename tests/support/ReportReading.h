#pragma once

#include <string>
#include <string_view>

#include "platform/report/ProfileLines.h"

namespace rt::test {

// The report's entries as a profile reader finds them ("ISWIN95=YES;..."),
// empty where it finds no report: the first section of the name counts.
inline std::string entriesRead(std::string_view text) {
    const auto lines = profileLines(text);
    const auto header = findProfileSection(lines, "VREDIR.VXD");
    if (!header) {
        return "";
    }
    std::string entries;
    for (const auto* name : {"ISWIN95", "VERSION"}) {
        if (const auto* entry = findProfileEntry(profileSectionBody(lines, *header), name)) {
            entries += std::string(name) + "=" + std::string(entry->value) + ";";
        }
    }
    return entries;
}

// A text that a profile reader reads as `expected`: a report rewritten in
// place holds more than the report's own lines.
inline bool readsAs(std::string_view text, std::string_view expected) {
    return !text.empty() && entriesRead(text) == entriesRead(expected);
}

}  // namespace rt::test
