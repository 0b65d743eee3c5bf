#include "ProfileLines.h"

#include <algorithm>

#include "platform/base/AsciiCase.h"

namespace rt {

namespace {

// Fills in what kind of line `line` is, from its content.
void classify(ProfileLine& line, std::string_view content) {
    const auto core = trimmedProfileName(content);
    line.isBlank = core.empty();
    if (core.empty()) {
        return;
    }
    if (core.front() == '[') {
        const auto close = core.find(']');
        line.kind = ProfileLine::Kind::Section;
        line.name = trimmedProfileName(core.substr(1, close == std::string_view::npos ? close : close - 1));
        return;
    }
    const auto equals = core.find('=');
    if (core.front() == ';' || equals == std::string_view::npos) {
        return;
    }
    line.kind = ProfileLine::Kind::Entry;
    line.name = trimmedProfileName(core.substr(0, equals));
    auto value = content.substr(content.find('=') + 1);
    value = value.substr(0, value.find_last_not_of(' ') + 1);
    line.value = value;
}

}  // namespace

std::string_view trimmedProfileName(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<ProfileLine> profileLines(std::string_view text) {
    std::vector<ProfileLine> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        ProfileLine line;
        line.begin = pos;
        const auto eol = text.find_first_of("\r\n", pos);
        if (eol == std::string_view::npos) {
            line.contentEnd = line.end = text.size();
        } else {
            const bool crLf = text[eol] == '\r' && eol + 1 < text.size() && text[eol + 1] == '\n';
            line.contentEnd = eol;
            line.end = eol + (crLf ? 2 : 1);
        }
        classify(line, text.substr(line.begin, line.contentEnd - line.begin));
        lines.push_back(line);
        pos = line.end;
    }
    return lines;
}

std::optional<std::size_t> findProfileSection(std::span<const ProfileLine> lines, std::string_view section) {
    const auto wanted = trimmedProfileName(section);
    const auto header = std::find_if(lines.begin(), lines.end(), [&](const ProfileLine& line) {
        return line.kind == ProfileLine::Kind::Section && equalsIgnoringAsciiCase(line.name, wanted);
    });
    if (header == lines.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(header - lines.begin());
}

std::span<const ProfileLine> profileSectionBody(std::span<const ProfileLine> lines, std::size_t header) {
    const auto body = lines.subspan(header + 1);
    const auto next = std::find_if(body.begin(), body.end(), [](const ProfileLine& line) {
        return line.kind == ProfileLine::Kind::Section;
    });
    return body.first(static_cast<std::size_t>(next - body.begin()));
}

const ProfileLine* findProfileEntry(std::span<const ProfileLine> body, std::string_view entry) {
    const auto wanted = trimmedProfileName(entry);
    const auto found = std::find_if(body.begin(), body.end(), [&](const ProfileLine& line) {
        return line.kind == ProfileLine::Kind::Entry && equalsIgnoringAsciiCase(line.name, wanted);
    });
    return found == body.end() ? nullptr : &*found;
}

}  // namespace rt
