#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace keldwick {
namespace {

TEST(CommandLine, HelpAndVersionAnswerOnlyAsParametersOfTheirOwn) {
    EXPECT_EQ(requestOf("--help"), CommandLineRequest::Usage);
    EXPECT_EQ(requestOf("  --version "), CommandLineRequest::Version);
    EXPECT_EQ(requestOf("x --version --help"), CommandLineRequest::Version) << "the first one asked";
    EXPECT_EQ(requestOf("/?"), CommandLineRequest::Usage) << "as Windows programs answer it";
    for (const auto* parameters : {"", "--helpful", "-help", "--HELP", "/??", "-?", "-h", "x--version"}) {
        EXPECT_EQ(requestOf(parameters), CommandLineRequest::Run) << parameters;
    }
}

TEST(CommandLine, HideWinsOverHelpAndVersion) {
    for (const auto* parameters :
         {"--help HIDE", "--version /nohide", "hide --help", "--help-hide", "/? /HIDE"}) {
        EXPECT_EQ(requestOf(parameters), CommandLineRequest::Run) << parameters;
    }
}

// HIDE is found anywhere; the status is a switch of its own, so that a word
// that merely holds it cannot change what a login script branches on.
TEST(CommandLine, StatusIsASwitchOfItsOwnInAnyLetterCase) {
    for (const auto* parameters :
         {"/STATUS", "hide /status", "/HIDE/Status", "/status/hide", "x /sTaTuS y"}) {
        EXPECT_TRUE(asksForStatus(parameters)) << parameters;
    }
    for (const auto* parameters : {"", "STATUS", "-status", "--status", "/STATUSBAR", "/NOSTATUS",
                                   "hide /stat us", "/HIDE/STATUSX", "/"}) {
        EXPECT_FALSE(asksForStatus(parameters)) << parameters;
    }
}

TEST(CommandLine, UsageNamesEveryParameterAndVersionTheProgram) {
    const auto usage = usageText();
    for (const auto* parameter : {"HIDE", "/STATUS", "--help", "/?", "--version"}) {
        EXPECT_NE(usage.find(parameter), std::string::npos) << parameter;
    }
    EXPECT_EQ(usage.rfind("usage: keldwick", 0), 0u);
    EXPECT_EQ(versionText().rfind("keldwick ", 0), 0u);
    EXPECT_EQ(versionText().back(), '\n');
}

}  // namespace
}  // namespace keldwick
