#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

#include "survey/ShownText.h"
#include "survey/SurveyOutput.h"

namespace keldwick {

namespace {

constexpr std::size_t kColumns = 6;
using Cells = std::array<std::string, kColumns>;

constexpr std::string_view kGap = "  ";
constexpr std::string_view kNone = "-";

Cells cellsOf(const SurveyRow& row) {
    Cells cells;
    cells[0] = shownText(row.isNamedExactly ? row.folder : row.path);
    cells[1] = row.report ? row.report->isWin95 : std::string(kNone);
    cells[2] = row.report && row.report->version ? shownText(*row.report->version) : std::string(kNone);
    cells[3] = row.report ? std::string(row.report->recommendation) : std::string(kUnreadable);
    cells[4] = row.time ? isoTime(*row.time) : std::string(kNone);
    cells[5] = row.problem;
    return cells;
}

void appendLine(std::string& out, const Cells& cells, const std::array<std::size_t, kColumns>& widths) {
    std::string line;
    for (std::size_t column = 0; column < kColumns; ++column) {
        if (column > 0) {
            line += kGap;
        }
        line += cells[column];
        line.append(widths[column] - std::min(widths[column], shownWidth(cells[column])), ' ');
    }
    line.erase(line.find_last_not_of(' ') + 1);
    out += line;
    out += '\n';
}

void appendCounts(std::string& out, const SurveyCounts& counts) {
    const auto digits = std::to_string(counts.total()).size();
    for (const auto& [label, count] : labelledCounts(counts)) {
        const auto number = std::to_string(count);
        std::string line(label);
        line.append(kUnreadable.size() + kGap.size() - label.size(), ' ');
        line.append(digits - number.size(), ' ');
        line += number;
        out += line;
        out += '\n';
    }
}

}  // namespace

std::string isoTime(const rt::LocalTime& time) {
    const int offset = time.utcOffsetMinutes < 0 ? -time.utcOffsetMinutes : time.utcOffsetMinutes;
    std::array<char, 48> text{};
    const int length = std::snprintf(text.data(), text.size(), "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d",
                                     time.year, time.month, time.day, time.hour, time.minute, time.second,
                                     time.utcOffsetMinutes < 0 ? '-' : '+', offset / 60, offset % 60);
    return length > 0 ? std::string(text.data(), std::min(static_cast<std::size_t>(length), text.size() - 1))
                      : std::string();
}

std::string surveyTable(const Survey& survey) {
    std::string out;
    if (survey.rows.empty()) {
        out += "No KELDWICK.INI was found.\n";
    } else {
        const Cells heading{"Folder", "Is Win95?", "Version", "Recommend", "Report time", "Problem"};
        std::vector<Cells> lines;
        lines.reserve(survey.rows.size());
        std::array<std::size_t, kColumns> widths{};
        for (std::size_t column = 0; column < kColumns; ++column) {
            widths[column] = shownWidth(heading[column]);
        }
        for (const auto& row : survey.rows) {
            lines.push_back(cellsOf(row));
            for (std::size_t column = 0; column < kColumns; ++column) {
                widths[column] = std::max(widths[column], shownWidth(lines.back()[column]));
            }
        }
        out.reserve((survey.rows.size() + 1) * 100);
        appendLine(out, heading, widths);
        for (const auto& cells : lines) {
            appendLine(out, cells, widths);
        }
    }
    out += '\n';
    appendCounts(out, survey.counts);
    return out;
}

}  // namespace keldwick
