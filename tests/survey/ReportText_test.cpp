#include "survey/ReportText.h"

#include <gtest/gtest.h>

#include "tests/check/CheckFixture.h"

namespace keldwick {
namespace {

// What the survey makes of a report: "isWin95 | version | recommendation", or why it is none.
std::string readAs(std::string_view text) {
    const auto read = readReportText(text);
    if (!read) {
        return describe(read.error());
    }
    return read->isWin95 + " | " + read->version.value_or("(none)") + " | " +
           std::string(read->recommendation);
}

TEST(ReportText, ReportsTheCheckWritesGiveTheCheckRecommendation) {
    EXPECT_EQ(readAs("[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=4.00.1116\r\n"), "YES | 4.00.1116 | OK");
    EXPECT_EQ(readAs("[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=4.00.950\r\n"), "YES | 4.00.950 | UPGRADE");
    EXPECT_EQ(readAs("[VREDIR.VXD]\r\nISWIN95=YES\r\n"), "YES | (none) | UNKNOWN");
    EXPECT_EQ(readAs("[VREDIR.VXD]\r\nISWIN95=NO\r\nVERSION=4.00.1116\r\n"), "NO | 4.00.1116 | NOT95");
    EXPECT_EQ(readAs("[VREDIR.VXD]\r\nISWIN95=NO\r\n"), "NO | (none) | UNKNOWN");
}

TEST(ReportText, ReadsByTheProfileRules) {
    // Line ends of any kind, names in any case, no final line end.
    EXPECT_EQ(readAs("[vredir.vxd]\nIsWin95=YES\rversion=4.00.1116"), "YES | 4.00.1116 | OK");
    // Comments, blank lines, other sections and entries do not matter.
    EXPECT_EQ(
        readAs("; note\r\n[Other]\r\nISWIN95=NO\r\n\r\n[ VREDIR.VXD ]\r\nRECOMMEND=OK\r\n ISWIN95 =YES\r\n"),
        "YES | (none) | UNKNOWN");
    // The first section and the first entry of a name count, as the writer changes those.
    EXPECT_EQ(readAs("[VREDIR.VXD]\r\nISWIN95=NO\r\nISWIN95=YES\r\n[VREDIR.VXD]\r\nVERSION=4.00.1116\r\n"),
              "NO | (none) | UNKNOWN");
}

TEST(ReportText, VersionIsJudgedByTheCheckValueRule) {
    // Leading blanks stay, as in the check's own comparison; a control byte
    // counts as a blank there, and shows as it stands.
    EXPECT_EQ(readAs("[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=  4.00.1116\r\n"),
              "YES |   4.00.1116 | UPGRADE");
    EXPECT_EQ(readAs("[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=4.00.1116\x1b[2J\r\n"),
              "YES | 4.00.1116\x1b[2J | UPGRADE");
    EXPECT_EQ(readAs("[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=\t4.00.1116\r\n"),
              "YES | \t4.00.1116 | UPGRADE");
    EXPECT_EQ(readAs("[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=4.00.1116\t\x7f\r\n"),
              "YES | 4.00.1116\t\x7f | OK");
    EXPECT_EQ(readAs("[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=4.00.1116   \r\n"), "YES | 4.00.1116 | OK");
}

TEST(ReportText, TextsTheCheckNeverWritesAreNoReports) {
    using namespace std::string_view_literals;
    EXPECT_EQ(readAs(""), "not a report: the file is empty");
    EXPECT_EQ(readAs("[VREDIR.VXD]\r\nISWIN95=YES\r\n\0\x7f"sv), "not a report: binary (it holds NUL bytes)");
    EXPECT_EQ(readAs("[OTHER]\r\nISWIN95=YES\r\n"), "not a report: no [VREDIR.VXD] section");
    EXPECT_EQ(readAs("\xef\xbb\xbf[VREDIR.VXD]\r\nISWIN95=YES\r\n"), "not a report: no [VREDIR.VXD] section");
    EXPECT_EQ(readAs("[VREDIR.VXD]\r\n"), "not a report: no ISWIN95 entry in [VREDIR.VXD]");
    EXPECT_EQ(readAs("ISWIN95=YES\r\n[VREDIR.VXD]\r\nVERSION=4.00.1116\r\n"),
              "not a report: no ISWIN95 entry in [VREDIR.VXD]");
    EXPECT_EQ(readAs("[VREDIR.VXD]\r\nISWIN95=yes\r\n"),
              "not a report: ISWIN95 is \"yes\", neither YES nor NO");
    EXPECT_EQ(readAs("[VREDIR.VXD]\r\nISWIN95= YES\x01\r\n"),
              "not a report: ISWIN95 is \" YES\\x01\", neither YES nor NO");
    EXPECT_EQ(readAs("[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=   \r\n"), "not a report: VERSION is blank");
    EXPECT_EQ(readAs("[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=\t\x01 \r\n"), "not a report: VERSION is blank");
}

// The survey must read every report the check leaves as the check judged it.
class ReportTextAgreement : public test::CheckFixture {};

TEST_F(ReportTextAgreement, EveryReportTheCheckWritesReadsAsTheCheckSaw) {
    struct Case {
        unsigned platformId;
        const char* version;  // null: no driver
    };
    const Case cases[] = {{1, "4.00.1116"},      {1, "4.00.1117"},       {1, "  4.00.1116"},
                          {1, "4.00.1116 beta"}, {1, "4.00.1116\tbeta"}, {1, "\t4.00.1116"},
                          {1, "4.00.1116\t"},    {1, nullptr},           {2, "4.00.1116"},
                          {2, nullptr},          {0, "4.00.950"}};
    for (const auto& c : cases) {
        std::filesystem::remove(systemDir() / "VREDIR.VXD");
        services.platformId = c.platformId;
        if (c.version != nullptr) {
            putDriver(systemDir(), c.version);
        }
        const auto check = runCheck();
        const auto read = readReportText(reportText());
        ASSERT_TRUE(read.ok()) << reportText();
        EXPECT_EQ(read->isWin95, check.isWin95);
        EXPECT_EQ(read->version.value_or("UNKNOWN"), check.driverVersion);
        EXPECT_EQ(read->recommendation, check.recommend) << reportText();
    }
}

}  // namespace
}  // namespace keldwick
