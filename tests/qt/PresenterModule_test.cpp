#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/definition/StoredDefinitions.h"
#include "platform/posix/DesktopPresenterLoader.h"
#include "tests/support/TempFolder.h"
#include "ui/ModuleKeys.h"

namespace rt {
namespace {

namespace fs = std::filesystem;

bool qtIsMapped() {
    std::ifstream maps("/proc/self/maps");
    const std::string text{std::istreambuf_iterator<char>(maps), std::istreambuf_iterator<char>()};
    return text.find("libQt6") != std::string::npos;
}

struct NoActions final : UserActions {
    void pressed(WindowId, int) override {}
    void chose(WindowId, int) override {}
    void activated(WindowId) override {}
    void closeRequested(WindowId) override {}
    void inputRejected(WindowId, int) override {}
    void exitRequested() override {}
};

TEST(PresenterModule, ProgramItselfCarriesNoQt) {
    EXPECT_FALSE(qtIsMapped()) << "hidden runs must not pay for loading Qt";
}

TEST(PresenterModule, MissingModuleSaysWhereItLooked) {
    rt::test::TempFolder empty;
    const std::vector<fs::path> candidates{empty / "keldwick-qt.so"};
    const auto loaded = loadPresenterModule(candidates);
    ASSERT_FALSE(loaded.ok());
    const std::string& error = loaded.error().reason;
    EXPECT_NE(error.find("keldwick-qt.so"), std::string::npos) << error;
    EXPECT_NE(error.find(empty.str()), std::string::npos) << error;
}

TEST(PresenterModule, FileThatIsNoModuleIsReportedNotRun) {
    rt::test::TempFolder folder;
    rt::test::writeWholeFile(folder / "keldwick-qt.so", "not a shared object");
    const std::vector<fs::path> candidates{folder / "keldwick-qt.so"};
    const auto loaded = loadPresenterModule(candidates);
    ASSERT_FALSE(loaded.ok());
    EXPECT_NE(loaded.error().reason.find("cannot load"), std::string::npos) << loaded.error().reason;
}

TEST(PresenterModule, ModuleOfAnotherVersionIsRefused) {
    const std::vector<fs::path> candidates{KELDWICK_STALE_MODULE};
    const auto loaded = loadPresenterModule(candidates);
    ASSERT_FALSE(loaded.ok());
    EXPECT_NE(loaded.error().reason.find("belongs to another version"), std::string::npos)
        << loaded.error().reason;
}

TEST(PresenterModule, ModuleIsLookedForBesideTheProgramThenWhereItIsInstalled) {
    const auto candidates = presenterModuleCandidates("/opt/kw/bin/keldwick");
    ASSERT_GE(candidates.size(), 2u);
    EXPECT_EQ(candidates[0], fs::path("/opt/kw/bin/keldwick-qt.so"));
    EXPECT_EQ(candidates[1].filename(), "keldwick-qt.so");
    EXPECT_EQ(candidates[1].parent_path().filename(), "keldwick");
    EXPECT_EQ(candidates[1].string().rfind("/opt/kw/", 0), 0u) << candidates[1];
}

TEST(PresenterModule, UnknownProgramPathNeverLoadsFromTheCurrentFolder) {
    for (const auto& candidate : presenterModuleCandidates({})) {
        EXPECT_TRUE(candidate.is_absolute()) << candidate;
    }
}

TEST(PresenterModule, NoDisplayGivesAReasonInsteadOfEndingTheProcess) {
    unsetenv("QT_QPA_PLATFORM");
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    const std::vector<fs::path> candidates{KELDWICK_QT_MODULE};
    const auto loaded = loadPresenterModule(candidates);
    ASSERT_FALSE(loaded.ok());
    EXPECT_NE(loaded.error().reason.find("display"), std::string::npos) << loaded.error().reason;
}

TEST(PresenterModule, LoadedModuleShowsWindowsAndShutsDownCleanly) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const std::vector<fs::path> candidates{KELDWICK_QT_MODULE};
    auto loaded = loadPresenterModule(candidates);
    ASSERT_TRUE(loaded.ok()) << loaded.error().reason;
    auto presenter = std::move(loaded).value();
    EXPECT_TRUE(qtIsMapped());
    NoActions actions;
    presenter->attach(actions);
    auto walked = rt::definition::loadWindowDescription(keldwick::kFrameModuleKey, keldwick::kFrameWindowKey);
    ASSERT_TRUE(walked.ok());
    const WindowView frame{
        1, true, std::make_shared<rt::definition::WindowDescription>(std::move(walked).value()), {}, 0};
    presenter->show(frame);
    presenter->wakeUp();
    presenter->waitForWork();
    presenter->close(1);
    presenter->shutdown();
    presenter.reset();
}

}  // namespace
}  // namespace rt
