#include <array>
#include <utility>

#include "survey/ShownText.h"
#include "survey/SurveyOutput.h"

namespace keldwick {

namespace {

std::string_view kindOf(const SurveyRow& row) {
    return row.kind == SurveyRow::Kind::Folder ? "folder" : "report";
}

std::string_view recommendationOf(const SurveyRow& row) {
    return row.report ? row.report->recommendation : kUnreadable;
}

// A JSON value: a string, or null where there is none.
std::string jsonValue(const std::optional<std::string>& text) {
    return text ? jsonString(*text) : "null";
}

}  // namespace

std::string surveyCsv(const Survey& survey) {
    std::string out = "kind,folder,path,is_win95,version,recommendation,report_time,problem,count\n";
    for (const auto& row : survey.rows) {
        const auto& report = row.report;
        const std::array<std::string, 8> fields{
            std::string(kindOf(row)),
            shownText(row.folder),
            shownText(row.path),
            report ? report->isWin95 : std::string(),
            report && report->version ? shownText(*report->version) : std::string(),
            std::string(recommendationOf(row)),
            row.time ? isoTime(*row.time) : std::string(),
            row.problem,
        };
        for (const auto& field : fields) {
            out += csvField(field);
            out += ',';
        }
        out += '\n';  // the count field, empty
    }
    for (const auto& [label, count] : labelledCounts(survey.counts)) {
        out += "count,,,,,";
        out += label;
        out += ",,,";
        out += std::to_string(count);
        out += '\n';
    }
    return out;
}

std::string surveyJson(const Survey& survey) {
    std::string out = "{\n  \"rows\": [";
    const char* separator = "\n";
    for (const auto& row : survey.rows) {
        const auto& report = row.report;
        out += separator;
        out += "    {\"kind\": " + jsonString(kindOf(row));
        out += ", \"folder\": " + jsonString(row.folder);
        out += ", \"path\": " + jsonString(row.path);
        out += ", \"is_win95\": " + jsonValue(report ? std::optional(report->isWin95) : std::nullopt);
        out += ", \"version\": " + jsonValue(report ? report->version : std::nullopt);
        out += ", \"recommendation\": " + jsonString(recommendationOf(row));
        out += ", \"report_time\": " + jsonValue(row.time ? std::optional(isoTime(*row.time)) : std::nullopt);
        out += ", \"problem\": " + jsonValue(row.problem.empty() ? std::nullopt : std::optional(row.problem));
        out += '}';
        separator = ",\n";
    }
    out += survey.rows.empty() ? "],\n" : "\n  ],\n";
    out += "  \"counts\": {";
    separator = "";
    for (const auto& [label, count] : labelledCounts(survey.counts)) {
        out += separator;
        out += jsonString(label) + ": " + std::to_string(count);
        separator = ", ";
    }
    out += "}\n}\n";
    return out;
}

}  // namespace keldwick
