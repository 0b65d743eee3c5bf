#include "ProfileText.h"

#include <algorithm>

#include "ProfileLines.h"

namespace rt {

namespace {

constexpr std::string_view kCrLf = "\r\n";

std::string entryLine(std::string_view name, std::string_view value) {
    std::string line(name);
    line += '=';
    line += value;
    return line;
}

std::string appendedAfter(std::string_view text, std::size_t at, const ProfileLine* before,
                          std::string_view added) {
    std::string out(text.substr(0, at));
    if (before != nullptr && !before->hasLineEnd()) {
        out += kCrLf;
    }
    out += added;
    out += text.substr(at);
    return out;
}

}  // namespace

std::string profileValue(std::string_view value) {
    std::string out(value.substr(0, value.find('\0')));
    std::replace_if(
        out.begin(), out.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    out.erase(out.find_last_not_of(' ') + 1);
    return out;
}

bool isValidSectionName(std::string_view name) {
    return !trimmedProfileName(name).empty() &&
           name.find_first_of(std::string_view("]\r\n\0", 4)) == std::string_view::npos;
}

bool isValidEntryName(std::string_view name) {
    const auto core = trimmedProfileName(name);
    return !core.empty() && core.front() != '[' && core.front() != ';' &&
           name.find_first_of(std::string_view("=\r\n\0", 4)) == std::string_view::npos;
}

std::string withProfileEntry(std::string_view text, std::string_view section, std::string_view entry,
                             std::string_view value) {
    const auto lines = profileLines(text);
    const auto wantedSection = trimmedProfileName(section);
    const auto wantedEntry = trimmedProfileName(entry);

    const auto header = findProfileSection(lines, wantedSection);
    if (!header) {
        const ProfileLine* last = lines.empty() ? nullptr : &lines.back();
        std::string added(1, '[');
        added += wantedSection;
        added += ']';
        added += kCrLf;
        added += entryLine(wantedEntry, profileValue(value));
        added += kCrLf;
        return appendedAfter(text, text.size(), last, added);
    }

    const auto body = profileSectionBody(lines, *header);
    if (const auto* found = findProfileEntry(body, wantedEntry)) {
        std::string out(text.substr(0, found->begin));
        out += entryLine(found->name, profileValue(value));
        out += text.substr(found->contentEnd);
        return out;
    }
    const auto lastFilled =
        std::find_if(body.rbegin(), body.rend(), [](const ProfileLine& line) { return !line.isBlank; });
    const ProfileLine* lastOfSection = lastFilled == body.rend() ? &lines[*header] : &*lastFilled;
    return appendedAfter(text, lastOfSection->end, lastOfSection,
                         entryLine(wantedEntry, profileValue(value)) + std::string(kCrLf));
}

}  // namespace rt
