#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace keldwick {
namespace {

TEST(CommandLine, HelpAndVersionAnswerOnlyAsParametersOfTheirOwn) {
    EXPECT_EQ(requestOf("--help"), CommandLineRequest::Usage);
    EXPECT_EQ(requestOf("  --version "), CommandLineRequest::Version);
    EXPECT_EQ(requestOf("x --version --help"), CommandLineRequest::Version) << "the first one asked";
    for (const auto* parameters : {"", "--helpful", "-help", "--HELP", "/?", "-h", "x--version"}) {
        EXPECT_EQ(requestOf(parameters), CommandLineRequest::Run) << parameters;
    }
}

TEST(CommandLine, HideWinsOverHelpAndVersion) {
    for (const auto* parameters : {"--help HIDE", "--version /nohide", "hide --help", "--help-hide"}) {
        EXPECT_EQ(requestOf(parameters), CommandLineRequest::Run) << parameters;
    }
}

TEST(CommandLine, UsageNamesEveryParameterAndVersionTheProgram) {
    const auto usage = usageText();
    for (const auto* parameter : {"HIDE", "--help", "--version"}) {
        EXPECT_NE(usage.find(parameter), std::string::npos) << parameter;
    }
    EXPECT_EQ(usage.rfind("usage: keldwick", 0), 0u);
    EXPECT_EQ(versionText().rfind("keldwick ", 0), 0u);
    EXPECT_EQ(versionText().back(), '\n');
}

}  // namespace
}  // namespace keldwick
