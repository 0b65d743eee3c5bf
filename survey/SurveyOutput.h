#pragma once

#include <string>

#include "platform/system/LocalTime.h"
#include "survey/Survey.h"

namespace keldwick {

// A survey for a person: an aligned table, one line per row, ordered by
// folder, then the count for each recommendation.
std::string surveyTable(const Survey& survey);

// The same rows and counts for other tools: CSV with a header line (RFC 4180),
// or one JSON object.
std::string surveyCsv(const Survey& survey);
std::string surveyJson(const Survey& survey);

// ISO 8601 with the offset from UTC, to the second: 2024-05-01T08:13:05+02:00.
std::string isoTime(const rt::LocalTime& time);

}  // namespace keldwick
