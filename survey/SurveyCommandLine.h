#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace keldwick {

enum class SurveyFormat { Table, Csv, Json };

struct SurveyRequest {
    enum class Action { Survey, Usage, Version, UsageError };

    Action action = Action::Survey;
    SurveyFormat format = SurveyFormat::Table;
    std::vector<std::string> folders;
    std::string error;  // for UsageError: what was wrong
};

// The parameters, without the program's name. "--help" (also "-h", "/?") and
// "--version" win wherever they stand; "--" ends the options, so that a
// folder may begin with "-".
SurveyRequest surveyRequestOf(std::span<const std::string> parameters);

std::string surveyUsageText();
std::string surveyVersionText();

}  // namespace keldwick
