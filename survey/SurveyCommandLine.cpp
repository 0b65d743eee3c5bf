#include "SurveyCommandLine.h"

#include <algorithm>

#include "survey/ReportFile.h"
#include "survey/Survey.h"

namespace keldwick {

namespace {

bool asksForHelp(std::string_view word) {
    return word == "--help" || word == "-h" || word == "/?";
}

SurveyRequest usageError(std::string error) {
    SurveyRequest request;
    request.action = SurveyRequest::Action::UsageError;
    request.error = std::move(error);
    return request;
}

}  // namespace

SurveyRequest surveyRequestOf(std::span<const std::string> parameters) {
    const auto optionsEnd = std::find(parameters.begin(), parameters.end(), "--");
    const auto options = std::span(parameters.begin(), optionsEnd);
    SurveyRequest request;
    if (std::any_of(options.begin(), options.end(), asksForHelp)) {
        request.action = SurveyRequest::Action::Usage;
        return request;
    }
    if (std::find(options.begin(), options.end(), "--version") != options.end()) {
        request.action = SurveyRequest::Action::Version;
        return request;
    }
    bool formatGiven = false;
    for (const auto& word : options) {
        if (word == "--csv" || word == "--json") {
            const auto format = word == "--csv" ? SurveyFormat::Csv : SurveyFormat::Json;
            if (formatGiven && format != request.format) {
                return usageError("--csv and --json cannot be given together");
            }
            request.format = format;
            formatGiven = true;
        } else if (word.size() > 1 && word.front() == '-') {
            return usageError("unknown option " + word);
        } else {
            request.folders.push_back(word);
        }
    }
    if (optionsEnd != parameters.end()) {
        request.folders.insert(request.folders.end(), std::next(optionsEnd), parameters.end());
    }
    if (request.folders.empty()) {
        return usageError("no folder given");
    }
    return request;
}

std::string surveyUsageText() {
    return "usage: keldwick-survey [--csv | --json] FOLDER...\n"
           "Lists every report KELDWICK.INI in the folders given and in all folders below them (the\n"
           "name in any letter case), with what each says and the recommendation for its machine.\n"
           "\n"
           "  --csv      the same rows and counts as comma-separated values (RFC 4180)\n"
           "  --json     the same rows and counts as one JSON object\n"
           "  --help     show this text\n"
           "  --version  show the program's version\n"
           "\n"
           "One line per report, ordered by folder: its folder, Is Win95?, the driver's version, the\n"
           "recommendation (OK, UPGRADE, NOT95, UNKNOWN) and the report time, the file's last change\n"
           "in local time with its offset from UTC (2024-05-01T08:13:05+02:00). Then the count of each.\n"
           "\n"
           "A file that cannot be read or is not a report, and a folder that cannot be listed, are\n"
           "listed as UNREADABLE with the reason. Not a report: an empty or binary file (NUL bytes),\n"
           "one over " +
           std::to_string(kMaxReportBytes) +
           " bytes, one without a [VREDIR.VXD] section or without ISWIN95 in it, an\n"
           "ISWIN95 other than YES or NO, a blank VERSION (control characters count as blanks, as\n"
           "they do when VERSION is judged), and a folder, link or device of that name.\n"
           "Links below the folders given are not followed. Bytes that are neither printable ASCII\n"
           "nor UTF-8 show as \\xHH.\n"
           "\n"
           "Exit status (a batch file's IF ERRORLEVEL n holds for n and above):\n"
           "  0  every report was read; none needs UPGRADE\n"
           "  1  something could not be read; none needs UPGRADE\n"
           "  2  some machines need UPGRADE; everything was read\n"
           "  3  some machines need UPGRADE, and something could not be read\n"
           "  4  the command line is wrong: nothing was surveyed\n"
           "  5  the survey could not finish (its output could not be written, or memory ran out)\n";
}

std::string surveyVersionText() {
    return "keldwick-survey " KELDWICK_VERSION "\n";
}

}  // namespace keldwick
