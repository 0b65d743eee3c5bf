#include "survey/SurveyOutput.h"

#include <gtest/gtest.h>

#include "survey/ShownText.h"
#include "survey/SurveyCommandLine.h"

namespace keldwick {
namespace {

constexpr rt::LocalTime kMay1{2024, 5, 1, 8, 13, 5, 120};

SurveyRow reportRow(std::string folder, std::string isWin95, std::optional<std::string> version,
                    std::string_view recommendation) {
    SurveyRow row;
    row.path = folder + "/KELDWICK.INI";
    row.folder = std::move(folder);
    row.time = kMay1;
    row.report = ReportEntries{std::move(isWin95), std::move(version), recommendation};
    return row;
}

SurveyRow problemRow(SurveyRow::Kind kind, std::string folder, std::string path, std::string problem) {
    SurveyRow row;
    row.kind = kind;
    row.folder = std::move(folder);
    row.path = std::move(path);
    row.isNamedExactly = row.kind == SurveyRow::Kind::Folder;
    row.problem = std::move(problem);
    return row;
}

// One of each kind of row, with names and values that need care.
Survey sampleSurvey() {
    Survey survey;
    survey.rows.push_back(reportRow("/home/ann", "YES", "4.00.1116", "OK"));
    survey.rows.push_back(reportRow("/home/bob, jr", "YES", "4.00.950 \"beta\"\x1b[2J", "UPGRADE"));
    survey.rows.push_back(reportRow("/home/c\xc3\xa9line", "NO", std::nullopt, "UNKNOWN"));
    survey.rows.push_back(problemRow(SurveyRow::Kind::Report, "/home/dan", "/home/dan/keldwick.ini",
                                     "not a report: no [VREDIR.VXD] section"));
    survey.rows.push_back(problemRow(SurveyRow::Kind::Folder, "/home/\xe9ve", "/home/\xe9ve",
                                     "the folder cannot be listed: Permission denied"));
    survey.counts = countRows(survey.rows);
    return survey;
}

TEST(SurveyOutput, TableAlignsOneLinePerRowThenTheCounts) {
    EXPECT_EQ(
        surveyTable(sampleSurvey()),
        "Folder                  Is Win95?  Version                 Recommend   Report time                "
        "Problem\n"
        "/home/ann               YES        4.00.1116               OK          2024-05-01T08:13:05+02:00\n"
        "/home/bob, jr           YES        4.00.950 \"beta\"\\x1b[2J  UPGRADE     "
        "2024-05-01T08:13:05+02:00\n"
        "/home/c\xc3\xa9line            NO         -                       UNKNOWN     "
        "2024-05-01T08:13:05+02:00\n"
        "/home/dan/keldwick.ini  -          -                       UNREADABLE  -                          "
        "not a report: no [VREDIR.VXD] section\n"
        "/home/\\xe9ve            -          -                       UNREADABLE  -                          "
        "the folder cannot be listed: Permission denied\n"
        "\n"
        "OK          1\n"
        "UPGRADE     1\n"
        "NOT95       0\n"
        "UNKNOWN     1\n"
        "UNREADABLE  2\n"
        "total       5\n");
}

TEST(SurveyOutput, EmptySurveySaysSo) {
    const auto table = surveyTable(Survey{});
    EXPECT_TRUE(table.starts_with("No KELDWICK.INI was found.\n\nOK          0\n")) << table;
}

TEST(SurveyOutput, CsvHoldsTheSameRowsAndCountsQuotedAsRfc4180) {
    EXPECT_EQ(
        surveyCsv(sampleSurvey()),
        "kind,folder,path,is_win95,version,recommendation,report_time,problem,count\n"
        "report,/home/ann,/home/ann/KELDWICK.INI,YES,4.00.1116,OK,2024-05-01T08:13:05+02:00,,\n"
        "report,\"/home/bob, jr\",\"/home/bob, jr/KELDWICK.INI\",YES,\"4.00.950 \"\"beta\"\"\\x1b[2J\","
        "UPGRADE,2024-05-01T08:13:05+02:00,,\n"
        "report,/home/c\xc3\xa9line,/home/c\xc3\xa9line/"
        "KELDWICK.INI,NO,,UNKNOWN,2024-05-01T08:13:05+02:00,,\n"
        "report,/home/dan,/home/dan/keldwick.ini,,,UNREADABLE,,not a report: no [VREDIR.VXD] section,\n"
        "folder,/home/\\xe9ve,/home/\\xe9ve,,,UNREADABLE,,the folder cannot be listed: Permission denied,\n"
        "count,,,,,OK,,,1\n"
        "count,,,,,UPGRADE,,,1\n"
        "count,,,,,NOT95,,,0\n"
        "count,,,,,UNKNOWN,,,1\n"
        "count,,,,,UNREADABLE,,,2\n"
        "count,,,,,total,,,5\n");
}

TEST(SurveyOutput, JsonHoldsTheSameRowsAndCountsProperlyEscaped) {
    EXPECT_EQ(
        surveyJson(sampleSurvey()),
        "{\n  \"rows\": [\n"
        "    {\"kind\": \"report\", \"folder\": \"/home/ann\", \"path\": \"/home/ann/KELDWICK.INI\", "
        "\"is_win95\": \"YES\", \"version\": \"4.00.1116\", \"recommendation\": \"OK\", "
        "\"report_time\": \"2024-05-01T08:13:05+02:00\", \"problem\": null},\n"
        "    {\"kind\": \"report\", \"folder\": \"/home/bob, jr\", \"path\": \"/home/bob, jr/KELDWICK.INI\", "
        "\"is_win95\": \"YES\", \"version\": \"4.00.950 \\\"beta\\\"\\u001b[2J\", \"recommendation\": "
        "\"UPGRADE\", \"report_time\": \"2024-05-01T08:13:05+02:00\", \"problem\": null},\n"
        "    {\"kind\": \"report\", \"folder\": \"/home/c\xc3\xa9line\", \"path\": "
        "\"/home/c\xc3\xa9line/KELDWICK.INI\", \"is_win95\": \"NO\", \"version\": null, \"recommendation\": "
        "\"UNKNOWN\", \"report_time\": \"2024-05-01T08:13:05+02:00\", \"problem\": null},\n"
        "    {\"kind\": \"report\", \"folder\": \"/home/dan\", \"path\": \"/home/dan/keldwick.ini\", "
        "\"is_win95\": null, \"version\": null, \"recommendation\": \"UNREADABLE\", \"report_time\": null, "
        "\"problem\": \"not a report: no [VREDIR.VXD] section\"},\n"
        "    {\"kind\": \"folder\", \"folder\": \"/home/\\u00e9ve\", \"path\": \"/home/\\u00e9ve\", "
        "\"is_win95\": null, \"version\": null, \"recommendation\": \"UNREADABLE\", \"report_time\": null, "
        "\"problem\": \"the folder cannot be listed: Permission denied\"}\n"
        "  ],\n"
        "  \"counts\": {\"OK\": 1, \"UPGRADE\": 1, \"NOT95\": 0, \"UNKNOWN\": 1, \"UNREADABLE\": 2, "
        "\"total\": 5}\n}\n");
    EXPECT_EQ(surveyJson(Survey{}),
              "{\n  \"rows\": [],\n  \"counts\": {\"OK\": 0, \"UPGRADE\": 0, \"NOT95\": 0, \"UNKNOWN\": 0, "
              "\"UNREADABLE\": 0, \"total\": 0}\n}\n");
}

TEST(ShownText, OnlyPrintableAsciiAndWellFormedUtf8PassAsTheyAre) {
    EXPECT_EQ(shownText("a\\b \x7f\t\r\n"), "a\\b \\x7f\\x09\\x0d\\x0a");
    EXPECT_EQ(shownText("\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80"), "\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80");
    // A C1 control, an overlong form, a surrogate, a cut sequence, a stray continuation byte.
    EXPECT_EQ(shownText("\xc2\x9b|\xc0\xaf|\xed\xa0\x80|\xe2\x82|\x80"),
              "\\xc2\\x9b|\\xc0\\xaf|\\xed\\xa0\\x80|\\xe2\\x82|\\x80");
    EXPECT_EQ(shownWidth("c\xc3\xa9line"), 6U);
}

TEST(ShownText, JsonStringsAreValidUtf8WithEveryByteKept) {
    EXPECT_EQ(jsonString("\"\\/\n\r\t\x01\x7f"), "\"\\\"\\\\/\\n\\r\\t\\u0001\\u007f\"");
    EXPECT_EQ(jsonString("\xc3\xa9\xe9\xc2\x85"), "\"\xc3\xa9\\u00e9\\u0085\"");
}

TEST(ShownText, CsvFieldsAreQuotedOnlyWhenTheyMustBe) {
    EXPECT_EQ(csvField("plain text"), "plain text");
    EXPECT_EQ(csvField("a,b"), "\"a,b\"");
    EXPECT_EQ(csvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(csvField("two\nlines"), "\"two\nlines\"");
}

TEST(SurveyOutput, TimesAreIsoWithTheirOffset) {
    EXPECT_EQ(isoTime(kMay1), "2024-05-01T08:13:05+02:00");
    EXPECT_EQ(isoTime({1999, 12, 31, 23, 59, 59, -210}), "1999-12-31T23:59:59-03:30");
    EXPECT_EQ(isoTime({2000, 1, 1, 0, 0, 0, 0}), "2000-01-01T00:00:00+00:00");
}

TEST(SurveyCommandLine, FoldersFormatsAndRequests) {
    using Action = SurveyRequest::Action;
    const auto request = [](std::initializer_list<std::string> words) {
        const std::vector<std::string> parameters(words);
        return surveyRequestOf(parameters);
    };
    const auto csv = request({"--csv", "a", "b"});
    EXPECT_EQ(csv.action, Action::Survey);
    EXPECT_EQ(csv.format, SurveyFormat::Csv);
    EXPECT_EQ(csv.folders, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(request({"a", "--json"}).format, SurveyFormat::Json);
    EXPECT_EQ(request({"--", "-odd", "--csv"}).folders, (std::vector<std::string>{"-odd", "--csv"}));
    EXPECT_EQ(request({"a", "--help", "--bogus"}).action, Action::Usage);
    EXPECT_EQ(request({"/?"}).action, Action::Usage);
    EXPECT_EQ(request({"--version"}).action, Action::Version);
    EXPECT_EQ(request({}).error, "no folder given");
    EXPECT_EQ(request({"--csv"}).action, Action::UsageError);
    EXPECT_EQ(request({"--csv", "--json", "a"}).error, "--csv and --json cannot be given together");
    EXPECT_EQ(request({"-x", "a"}).error, "unknown option -x");
    EXPECT_EQ(request({"--", "--help"}).action, Action::Survey);
}

}  // namespace
}  // namespace keldwick
