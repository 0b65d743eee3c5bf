#include "ProfileText.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/base/AsciiCase.h"

namespace rt {

namespace {

constexpr std::string_view kCrLf = "\r\n";

struct Line {
    std::size_t begin = 0;       // first byte of the line
    std::size_t contentEnd = 0;  // where its line end starts
    std::size_t end = 0;         // first byte after its line end
    bool hasLineEnd() const { return end > contentEnd; }
};

std::vector<Line> splitLines(std::string_view text) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto eol = text.find_first_of("\r\n", pos);
        if (eol == std::string_view::npos) {
            lines.push_back({pos, text.size(), text.size()});
            break;
        }
        const bool crLf = text[eol] == '\r' && eol + 1 < text.size() && text[eol + 1] == '\n';
        const auto next = eol + (crLf ? 2 : 1);
        lines.push_back({pos, eol, next});
        pos = next;
    }
    return lines;
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The name of a section header line, or nothing when the line is no header.
std::optional<std::string_view> sectionName(std::string_view content) {
    const auto line = trimmed(content);
    if (line.empty() || line.front() != '[') {
        return std::nullopt;
    }
    const auto close = line.find(']');
    return trimmed(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

// The name of an entry line (text before its "="); comments and other lines have none.
std::optional<std::string_view> entryName(std::string_view content) {
    const auto line = trimmed(content);
    const auto equals = line.find('=');
    if (line.empty() || line.front() == ';' || equals == std::string_view::npos) {
        return std::nullopt;
    }
    return trimmed(line.substr(0, equals));
}

std::string entryLine(std::string_view name, std::string_view value) {
    std::string line(name);
    line += '=';
    line += value;
    return line;
}

std::string appendedAfter(std::string_view text, std::size_t at, const Line* before, std::string_view added) {
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
    return !trimmed(name).empty() &&
           name.find_first_of(std::string_view("]\r\n\0", 4)) == std::string_view::npos;
}

bool isValidEntryName(std::string_view name) {
    const auto core = trimmed(name);
    return !core.empty() && core.front() != '[' && core.front() != ';' &&
           name.find_first_of(std::string_view("=\r\n\0", 4)) == std::string_view::npos;
}

std::string withProfileEntry(std::string_view text, std::string_view section, std::string_view entry,
                             std::string_view value) {
    const auto lines = splitLines(text);
    const auto wantedSection = trimmed(section);
    const auto wantedEntry = trimmed(entry);
    const auto newLine = entryLine(wantedEntry, profileValue(value));

    auto header = std::find_if(lines.begin(), lines.end(), [&](const Line& line) {
        const auto name = sectionName(text.substr(line.begin, line.contentEnd - line.begin));
        return name && equalsIgnoringAsciiCase(*name, wantedSection);
    });
    if (header == lines.end()) {
        const Line* last = lines.empty() ? nullptr : &lines.back();
        std::string added(1, '[');
        added += wantedSection;
        added += ']';
        added += kCrLf;
        added += newLine;
        added += kCrLf;
        return appendedAfter(text, text.size(), last, added);
    }

    const Line* lastOfSection = &*header;
    for (auto it = std::next(header); it != lines.end(); ++it) {
        const auto content = text.substr(it->begin, it->contentEnd - it->begin);
        if (sectionName(content)) {
            break;
        }
        const auto name = entryName(content);
        if (name && equalsIgnoringAsciiCase(*name, wantedEntry)) {
            std::string out(text.substr(0, it->begin));
            out += entryLine(*name, profileValue(value));
            out += text.substr(it->contentEnd);
            return out;
        }
        if (!trimmed(content).empty()) {
            lastOfSection = &*it;
        }
    }
    return appendedAfter(text, lastOfSection->end, lastOfSection, newLine + std::string(kCrLf));
}

}  // namespace rt
