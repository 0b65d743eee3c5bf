#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/system/LocalTime.h"
#include "survey/ReportText.h"

namespace keldwick {

// One line of a survey: a report and what it says, or a file or folder that
// could not be read, with the reason.
struct SurveyRow {
    enum class Kind { Report, Folder };  // Folder: a folder that could not be listed

    Kind kind = Kind::Report;
    std::string folder;                 // the report's folder, or the folder that could not be listed
    std::string path;                   // the report's own path, or that folder's
    bool isNamedExactly = true;         // the report's name is spelled KELDWICK.INI
    std::optional<rt::LocalTime> time;  // the report's last change
    std::optional<ReportEntries> report;
    std::string problem;  // why there is no report, when there is none
};

struct SurveyCounts {
    std::size_t ok = 0;
    std::size_t upgrade = 0;
    std::size_t not95 = 0;
    std::size_t unknown = 0;
    std::size_t unreadable = 0;

    std::size_t total() const { return ok + upgrade + not95 + unknown + unreadable; }
};

struct Survey {
    std::vector<SurveyRow> rows;  // ordered by folder, then path: the same tree gives the same list
    SurveyCounts counts;
};

// Finds every KELDWICK.INI (any letter case) in the folders given and below
// them, and reads each.
Survey surveyFolders(std::span<const std::string> roots);

// The rows counted by recommendation.
SurveyCounts countRows(std::span<const SurveyRow> rows);

// What a row that holds no report shows for its recommendation, and is counted as.
inline constexpr std::string_view kUnreadable = "UNREADABLE";

// The counts as they are shown: each recommendation, then UNREADABLE, then the total.
std::array<std::pair<std::string_view, std::size_t>, 6> labelledCounts(const SurveyCounts& counts);

// Exit statuses; a batch file's "IF ERRORLEVEL n" holds for n and above.
inline constexpr int kSurveyAllWell = 0;
inline constexpr int kSurveySomeUnreadable = 1;  // combined with the next
inline constexpr int kSurveySomeNeedUpgrade = 2;
inline constexpr int kSurveyUsageError = 4;
inline constexpr int kSurveyUnfinished = 5;

int exitStatusOf(const SurveyCounts& counts);

}  // namespace keldwick
