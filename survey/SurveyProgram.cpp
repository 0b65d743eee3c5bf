#include "SurveyProgram.h"

#include <cerrno>
#include <cstring>

#include "survey/Survey.h"
#include "survey/SurveyCommandLine.h"
#include "survey/SurveyOutput.h"

namespace keldwick {

namespace {

// A survey written to a full disk, or to a closed pipe, must not pass for a
// complete one: the caller may act on what it believes the file holds.
int written(const std::string& text, std::FILE* out, std::FILE* err, int status) {
    errno = 0;
    const bool complete = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    if (complete && std::fflush(out) == 0 && std::ferror(out) == 0) {
        return status;
    }
    const int cause = errno;
    std::fprintf(err, "keldwick-survey: the survey could not be written%s%s\n", cause != 0 ? ": " : "",
                 cause != 0 ? std::strerror(cause) : "");
    return kSurveyUnfinished;
}

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

int runSurveyProgram(std::span<const std::string> parameters, std::FILE* out, std::FILE* err) {
    const auto request = surveyRequestOf(parameters);
    switch (request.action) {
        case SurveyRequest::Action::Usage:
            return written(surveyUsageText(), out, err, kSurveyAllWell);
        case SurveyRequest::Action::Version:
            return written(surveyVersionText(), out, err, kSurveyAllWell);
        case SurveyRequest::Action::UsageError:
            std::fprintf(err, "keldwick-survey: %s\nusage: keldwick-survey [--csv | --json] FOLDER...\n",
                         request.error.c_str());
            return kSurveyUsageError;
        case SurveyRequest::Action::Survey:
            break;
    }
    const auto survey = surveyFolders(request.folders);
    return written(formatted(survey, request.format), out, err, exitStatusOf(survey.counts));
}

}  // namespace keldwick
