#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "platform/filesystem/FolderTreeSearch.h"
#include "survey/Survey.h"
#include "survey/SurveyProgram.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Unprivileged.h"

namespace keldwick {
namespace {

namespace fs = std::filesystem;
using rt::test::TempFolder;
using rt::test::writeWholeFile;

constexpr const char* kOk = "[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=4.00.1116\r\n";
constexpr const char* kUpgrade = "[VREDIR.VXD]\r\nISWIN95=YES\r\nVERSION=4.00.950\r\n";
constexpr const char* kNot95 = "[VREDIR.VXD]\nISWIN95=NO\nVERSION=4.00.1116\n";
constexpr const char* kUnknown = "[VREDIR.VXD]\r\nISWIN95=YES\r\n";

void putReport(const fs::path& folder, const std::string& text, const std::string& name = "KELDWICK.INI") {
    fs::create_directories(folder);
    writeWholeFile(folder / name, text);
}

// The problem of each row, by the row's path relative to `root`; "" for a report.
std::map<std::string, std::string> problemsBelow(const Survey& survey, const fs::path& root) {
    std::map<std::string, std::string> problems;
    for (const auto& row : survey.rows) {
        problems[fs::path(row.path).lexically_relative(root).string()] = row.problem;
    }
    return problems;
}

int statusOf(const std::vector<std::string>& parameters) {
    return answerSurvey(parameters).status;
}

// Where thousands of files are made and removed quickly: in memory where the system offers it.
fs::path quickParent() {
    std::error_code error;
    return fs::is_directory("/dev/shm", error) && ::access("/dev/shm", W_OK) == 0 ? fs::path("/dev/shm")
                                                                                  : fs::temp_directory_path();
}

// A fleet of 10,000 homes, as a server holds them: most reports good, the
// odd ones a server also holds scattered among them, names in any case,
// some reports deep down. Every one must be listed and counted.
TEST(SurveyTree, TenThousandReportsWithOddOnesAmongThemAreAllListedAndCounted) {
    TempFolder root(quickParent());
    const auto homes = root / "homes";
    SurveyCounts expected;
    std::map<std::string, std::string> oddProblems;
    constexpr int kHomes = 10'000;
    for (int i = 0; i < kHomes; ++i) {
        const auto home = homes / ("user" + std::to_string(i));
        const auto name = i % 7 == 0 ? "keldwick.ini" : i % 11 == 0 ? "Keldwick.Ini" : "KELDWICK.INI";
        const auto folder = i % 500 == 0 ? home / "a/b/c/d/e/f/g/h/i/j/k/l/m/n/o/p/q/r/s/t" : home;
        const auto rel = fs::path("homes") / ("user" + std::to_string(i));
        switch (i % 1000) {
            case 1:
                putReport(folder,
                          std::string("\x7f"
                                      "ELF\x02\x01\x01\0\0\0",
                                      10),
                          name);
                oddProblems[(rel / name).string()] = "not a report: binary (it holds NUL bytes)";
                ++expected.unreadable;
                continue;
            case 2:
                putReport(folder, "[Windows]\r\nload=\r\n", name);
                oddProblems[(rel / name).string()] = "not a report: no [VREDIR.VXD] section";
                ++expected.unreadable;
                continue;
            case 3:
                putReport(folder, "[VREDIR.VXD]\r\nISWIN95=PERHAPS\r\n", name);
                oddProblems[(rel / name).string()] =
                    "not a report: ISWIN95 is \"PERHAPS\", neither YES nor NO";
                ++expected.unreadable;
                continue;
            case 4:
                putReport(folder, std::string(5000, 'x'), name);
                oddProblems[(rel / name).string()] = "not a report: larger than 4096 bytes";
                ++expected.unreadable;
                continue;
            case 5:
                fs::create_directories(folder / "KELDWICK.INI");
                oddProblems[(rel / "KELDWICK.INI").string()] = "not a report: a folder";
                ++expected.unreadable;
                continue;
            case 6:
                fs::create_directories(folder);
                ASSERT_EQ(::mkfifo((folder / name).c_str(), 0600), 0);
                oddProblems[(rel / name).string()] = "not a report: not a regular file";
                ++expected.unreadable;
                continue;
            case 7:
                // A link to a good report elsewhere is not followed; nor is a link to a folder above.
                putReport(folder / "elsewhere", kOk);
                ++expected.ok;
                fs::create_symlink(folder / "elsewhere/KELDWICK.INI", folder / name);
                fs::create_directory_symlink(homes, folder / "loop");
                oddProblems[(rel / name).string()] = "not a report: a link, which is not followed";
                ++expected.unreadable;
                continue;
            case 8:
                fs::create_directories(folder);  // a home without a report: nothing to list
                continue;
            default:
                break;
        }
        const char* text = i % 4 == 0 ? kUpgrade : i % 13 == 0 ? kNot95 : i % 17 == 0 ? kUnknown : kOk;
        putReport(folder, text, name);
        ++(text == kUpgrade   ? expected.upgrade
           : text == kNot95   ? expected.not95
           : text == kUnknown ? expected.unknown
                              : expected.ok);
    }

    const std::vector<std::string> roots{homes.string()};
    const auto survey = surveyFolders(roots);
    EXPECT_EQ(survey.counts.ok, expected.ok);
    EXPECT_EQ(survey.counts.upgrade, expected.upgrade);
    EXPECT_EQ(survey.counts.not95, expected.not95);
    EXPECT_EQ(survey.counts.unknown, expected.unknown);
    EXPECT_EQ(survey.counts.unreadable, expected.unreadable);
    EXPECT_EQ(survey.rows.size(), expected.total());
    const auto problems = problemsBelow(survey, root.path());
    for (const auto& [path, problem] : oddProblems) {
        const auto found = problems.find(path);
        ASSERT_NE(found, problems.end()) << path;
        EXPECT_EQ(found->second, problem) << path;
    }
    EXPECT_EQ(exitStatusOf(survey.counts), kSurveySomeNeedUpgrade | kSurveySomeUnreadable);
    EXPECT_EQ(statusOf({"--csv", homes.string()}), kSurveySomeNeedUpgrade | kSurveySomeUnreadable);
}

TEST(SurveyTree, ExitStatusTellsUpgradesAndUnreadableApart) {
    TempFolder root;
    putReport(root / "ok", kOk);
    EXPECT_EQ(statusOf({root.str()}), kSurveyAllWell);
    putReport(root / "unknown", kUnknown);
    putReport(root / "not95", kNot95);
    EXPECT_EQ(statusOf({root.str()}), kSurveyAllWell);
    putReport(root / "old", kUpgrade);
    EXPECT_EQ(statusOf({root.str()}), kSurveySomeNeedUpgrade);
    putReport(root / "odd", "");
    EXPECT_EQ(statusOf({root.str()}), kSurveySomeNeedUpgrade | kSurveySomeUnreadable);
    fs::remove(root / "old/KELDWICK.INI");
    EXPECT_EQ(statusOf({root.str()}), kSurveySomeUnreadable);
    EXPECT_EQ(statusOf({(root / "missing").string()}), kSurveySomeUnreadable);
    EXPECT_EQ(statusOf({}), kSurveyUsageError);
    EXPECT_EQ(statusOf({"--help"}), kSurveyAllWell);
}

TEST(SurveyTree, RowsFollowTheTreeAndOverlappingRootsListAReportOnce) {
    TempFolder root;
    putReport(root / "a", kOk);
    putReport(root / "a/b", kOk);
    putReport(root / "a-b", kOk);
    putReport(root / "A", kOk);
    fs::create_directory_symlink(root / "a", root / "link-to-a");
    // A root given as a link is followed; the same folder again is not listed twice.
    const std::vector<std::string> roots{root.str(), (root / "a").string(), (root / "link-to-a").string()};
    const auto survey = surveyFolders(roots);
    std::vector<std::string> folders;
    for (const auto& row : survey.rows) {
        folders.push_back(fs::path(row.folder).lexically_relative(root.path()).string());
    }
    EXPECT_EQ(folders, (std::vector<std::string>{"A", "a", "a/b", "a-b"}));
}

TEST(SurveyTree, UnreadableFilesAndFoldersAreListedWithTheirReason) {
    TempFolder root;
    fs::permissions(root.path(), fs::perms::all);
    putReport(root / "ok", kOk);
    putReport(root / "secret", kOk);
    fs::create_directories(root / "locked/inside");
    putReport(root / "locked/inside", kUpgrade);
    fs::permissions(root / "ok", fs::perms::all);
    fs::permissions(root / "ok/KELDWICK.INI", fs::perms::all);
    fs::permissions(root / "secret", fs::perms::all);
    fs::permissions(root / "secret/KELDWICK.INI", fs::perms::none);
    fs::permissions(root / "locked", fs::perms::none);
    std::map<std::string, std::string> problems;
    const auto verdict = rt::test::runUnprivileged([&] {
        const std::vector<std::string> roots{root.str()};
        const auto survey = surveyFolders(roots);
        return problemsBelow(survey, root.path()) ==
                   std::map<std::string, std::string>{
                       {"locked", "the folder cannot be listed: Permission denied"},
                       {"ok/KELDWICK.INI", ""},
                       {"secret/KELDWICK.INI", "cannot be read: Permission denied"},
                   } &&
               exitStatusOf(survey.counts) == kSurveySomeUnreadable;
    });
    if (!verdict) {
        GTEST_SKIP() << "cannot drop privileges here, so everything is readable";
    }
    EXPECT_TRUE(*verdict);
}

TEST(FolderTreeSearch, FindsTheNameInAnyCaseAndNothingElse) {
    TempFolder root;
    putReport(root / "x", "", "kElDwIcK.iNi");
    putReport(root / "x", "", "KELDWICK.INI.bak");
    putReport(root / "x", "", "KELDWICK.IN");
    const std::vector<std::string> roots{root.str()};
    const auto search = rt::searchFolderTrees(roots, "KELDWICK.INI");
    ASSERT_EQ(search.found.size(), 1U);
    EXPECT_EQ(search.found[0].name, "kElDwIcK.iNi");
    EXPECT_EQ(search.found[0].kind, rt::FoundKind::RegularFile);
    EXPECT_TRUE(search.found[0].modified.has_value());
    EXPECT_TRUE(search.unreadable.empty());
}

}  // namespace
}  // namespace keldwick
