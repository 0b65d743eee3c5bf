#include "SurveyProgram.h"

#include <cerrno>
#include <cstring>

#include "survey/Survey.h"
#include "survey/SurveyCommandLine.h"
#include "survey/SurveyOutput.h"

namespace keldwick {

namespace {

std::string formatted(const Survey& survey, SurveyFormat format) {
    switch (format) {
        case SurveyFormat::Csv:
            return surveyCsv(survey);
        case SurveyFormat::Json:
            return surveyJson(survey);
        case SurveyFormat::Table:
            break;
    }
    return surveyTable(survey);
}

}  // namespace

SurveyAnswer answerSurvey(std::span<const std::string> parameters) {
    const auto request = surveyRequestOf(parameters);
    switch (request.action) {
        case SurveyRequest::Action::Usage:
            return {kSurveyAllWell, surveyUsageText(), {}};
        case SurveyRequest::Action::Version:
            return {kSurveyAllWell, surveyVersionText(), {}};
        case SurveyRequest::Action::UsageError:
            return {kSurveyUsageError,
                    {},
                    "keldwick-survey: " + request.error +
                        "\nusage: keldwick-survey [--csv | --json] FOLDER...   (--help tells more)\n"};
        case SurveyRequest::Action::Survey:
            break;
    }
    const auto survey = surveyFolders(request.folders);
    return {exitStatusOf(survey.counts), formatted(survey, request.format), {}};
}

// A survey written to a full disk, or to a closed pipe, must not pass for a
// complete one: the caller may act on what it believes the file holds.
int deliver(const SurveyAnswer& answer, std::FILE* out, std::FILE* err) {
    std::fputs(answer.err.c_str(), err);
    errno = 0;
    const bool whole = std::fwrite(answer.out.data(), 1, answer.out.size(), out) == answer.out.size();
    if (whole && std::fflush(out) == 0 && std::ferror(out) == 0) {
        return answer.status;
    }
    const int cause = errno;
    std::fprintf(err, "keldwick-survey: the survey could not be written whole%s%s\n", cause != 0 ? ": " : "",
                 cause != 0 ? std::strerror(cause) : "");
    return kSurveyUnfinished;
}

}  // namespace keldwick
