// The survey's walk and reading as Windows answers them: names in any case
// from the system's own search, folders named like the report, times in the
// system's local time, paths with the system's separator.
#include "survey/Survey.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "WindowsTestSupport.h"

namespace {

using rt::win32::test::TempFolder;

void putText(const std::string& path, const char* text) {
    std::vector<std::byte> bytes(std::strlen(text));
    std::memcpy(bytes.data(), text, bytes.size());
    rt::win32::test::writeFile(path, bytes);
}

TEST(Survey, ReadsEveryReportBelowTheFoldersGivenInAnyCase) {
    TempFolder root;
    for (const char* folder : {"ann", "bob", "bob\\deep", "carl", "dora", "dora\\KELDWICK.INI"}) {
        ASSERT_NE(::CreateDirectoryA(root.file(folder).c_str(), nullptr), 0) << folder;
    }
    putText(root.file("ann\\KELDWICK.INI"), "[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=4.00.1116\r\n");
    putText(root.file("bob\\deep\\keldwick.ini"), "[vredir.vxd]\nIsWin95=YES\nVersion=4.00.950\n");
    putText(root.file("carl\\Keldwick.Ini"), "[Other]\r\nISWIN95=YES\r\n");
    const std::vector<std::string> roots{root.path(), root.file("missing")};
    const auto survey = keldwick::surveyFolders(roots);

    std::vector<std::string> lines;
    for (const auto& row : survey.rows) {
        lines.push_back(row.path.substr(row.path.starts_with(root.path()) ? root.path().size() : 0) + " " +
                        (row.report ? std::string(row.report->recommendation) : row.problem));
    }
    const auto missing = root.file("missing").substr(root.path().size());
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "\\ann\\KELDWICK.INI OK",
                         "\\bob\\deep\\keldwick.ini UPGRADE",
                         "\\carl\\Keldwick.Ini not a report: no [VREDIR.VXD] section",
                         "\\dora\\KELDWICK.INI not a report: a folder",
                         missing + " the folder cannot be listed: No such file or directory",
                     }));
    EXPECT_EQ(keldwick::exitStatusOf(survey.counts),
              keldwick::kSurveySomeNeedUpgrade | keldwick::kSurveySomeUnreadable);
    ASSERT_TRUE(survey.rows[0].time.has_value());
    EXPECT_GE(survey.rows[0].time->year, 2020);
    EXPECT_LE(std::abs(survey.rows[0].time->utcOffsetMinutes), 14 * 60);
}

}  // namespace
