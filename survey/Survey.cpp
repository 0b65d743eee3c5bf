#include "Survey.h"

#include <algorithm>
#include <numeric>

#include "check/ReportNames.h"
#include "platform/base/Paths.h"
#include "platform/filesystem/FolderTreeSearch.h"
#include "survey/ReportFile.h"

namespace keldwick {

namespace {

std::string problemOf(const rt::FoundName& found) {
    switch (found.kind) {
        case rt::FoundKind::RegularFile:
            break;
        case rt::FoundKind::Folder:
            return "not a report: a folder";
        case rt::FoundKind::Link:
            return "not a report: a link, which is not followed";
        case rt::FoundKind::Other:
            return "not a report: not a regular file";
        case rt::FoundKind::Unknown:
            return "cannot be read: " + describe(found.error);
    }
    return {};
}

// Byte order, but with the separator before every other byte, so that a
// folder's subfolders follow it directly ("a/b" before "a-b").
bool treeOrder(std::string_view a, std::string_view b) {
    const auto key = [](char c) {
        return c == '/' || c == rt::kPathSeparator ? 0 : static_cast<unsigned char>(c) + 1;
    };
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [&](char x, char y) { return key(x) < key(y); });
}

// Sorts through an index, so that rows are moved once rather than at every step.
void sortByTree(std::vector<SurveyRow>& rows) {
    std::vector<std::size_t> order(rows.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const auto& x = rows[a];
        const auto& y = rows[b];
        return x.folder != y.folder ? treeOrder(x.folder, y.folder) : treeOrder(x.path, y.path);
    });
    std::vector<SurveyRow> sorted;
    sorted.reserve(rows.size());
    for (const auto i : order) {
        sorted.push_back(std::move(rows[i]));
    }
    rows = std::move(sorted);
}

SurveyRow reportRow(const rt::FoundName& found) {
    SurveyRow row;
    row.folder = found.folder;
    row.path = rt::joinedPath(found.folder, found.name);
    row.isNamedExactly = found.name == kReportFileName;
    if (found.modified) {
        row.time = rt::localTimeOf(*found.modified);
    }
    row.problem = problemOf(found);
    if (!row.problem.empty()) {
        return row;
    }
    auto text = loadReportFile(row.path);
    if (!text) {
        row.problem = describe(text.error());
        return row;
    }
    auto entries = readReportText(*text);
    if (!entries) {
        row.problem = describe(entries.error());
        return row;
    }
    row.report = std::move(entries).value();
    return row;
}

SurveyRow folderRow(const rt::UnreadableFolder& folder) {
    SurveyRow row;
    row.kind = SurveyRow::Kind::Folder;
    row.folder = folder.path;
    row.path = folder.path;
    row.problem =
        (folder.partly ? "the folder could not be listed to its end: " : "the folder cannot be listed: ") +
        describe(folder.error);
    return row;
}

}  // namespace

Survey surveyFolders(std::span<const std::string> roots) {
    const auto search = rt::searchFolderTrees(roots, kReportFileName);
    Survey survey;
    survey.rows.reserve(search.found.size() + search.unreadable.size());
    for (const auto& found : search.found) {
        survey.rows.push_back(reportRow(found));
    }
    for (const auto& folder : search.unreadable) {
        survey.rows.push_back(folderRow(folder));
    }
    sortByTree(survey.rows);
    // Roots that overlap on a system that cannot tell folders apart find some reports twice.
    const auto same = [](const SurveyRow& a, const SurveyRow& b) {
        return a.kind == b.kind && a.path == b.path;
    };
    survey.rows.erase(std::unique(survey.rows.begin(), survey.rows.end(), same), survey.rows.end());
    survey.counts = countRows(survey.rows);
    return survey;
}

SurveyCounts countRows(std::span<const SurveyRow> rows) {
    SurveyCounts counts;
    for (const auto& row : rows) {
        if (!row.report) {
            ++counts.unreadable;
            continue;
        }
        const auto recommendation = row.report->recommendation;
        auto& count = recommendation == "OK"        ? counts.ok
                      : recommendation == "UPGRADE" ? counts.upgrade
                      : recommendation == "NOT95"   ? counts.not95
                                                    : counts.unknown;
        ++count;
    }
    return counts;
}

std::array<std::pair<std::string_view, std::size_t>, 6> labelledCounts(const SurveyCounts& counts) {
    return {{
        {"OK", counts.ok},
        {"UPGRADE", counts.upgrade},
        {"NOT95", counts.not95},
        {"UNKNOWN", counts.unknown},
        {kUnreadable, counts.unreadable},
        {"total", counts.total()},
    }};
}

int exitStatusOf(const SurveyCounts& counts) {
    int status = kSurveyAllWell;
    if (counts.unreadable > 0) {
        status |= kSurveySomeUnreadable;
    }
    if (counts.upgrade > 0) {
        status |= kSurveySomeNeedUpgrade;
    }
    return status;
}

}  // namespace keldwick
