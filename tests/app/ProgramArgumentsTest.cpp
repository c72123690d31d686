// SPDX-License-Identifier: MIT
#include "app/ProgramArguments.h"

#include <gtest/gtest.h>

namespace twinvane {
namespace {

using Action = ProgramArguments::Action;

struct ArgumentsCase {
    const char* name;
    std::vector<std::string> arguments;
    Action action;
    std::vector<std::string> files;
    std::string message;

    friend void PrintTo(const ArgumentsCase& c, std::ostream* out) { *out << c.name; }
};

class ProgramArgumentsTest : public ::testing::TestWithParam<ArgumentsCase> {};

TEST_P(ProgramArgumentsTest, ReadsTheCommandLineLeftToRight) {
    const ArgumentsCase& c = GetParam();
    const ProgramArguments parsed = ParseProgramArguments(c.arguments);
    EXPECT_EQ(parsed.action, c.action);
    EXPECT_EQ(parsed.files, c.files);
    EXPECT_EQ(parsed.message, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, ProgramArgumentsTest,
    ::testing::Values(
        ArgumentsCase{"Nothing", {}, Action::Run, {}, ""},
        ArgumentsCase{"TwoFiles", {"a", "b c"}, Action::Run, {"a", "b c"}, ""},
        ArgumentsCase{"DashAloneIsAName", {"-"}, Action::Run, {"-"}, ""},
        ArgumentsCase{
            "HelpWinsOverWhatFollows", {"a", "--help", "--bogus"}, Action::ShowHelp, {}, ""},
        ArgumentsCase{"ShortHelp", {"-h"}, Action::ShowHelp, {}, ""},
        ArgumentsCase{"Version", {"--version"}, Action::ShowVersion, {}, ""},
        ArgumentsCase{"UnknownOption",
                      {"--platform", "x"},
                      Action::Refuse,
                      {},
                      "unknown option '--platform'"},
        ArgumentsCase{
            "DoubleDashEndsTheOptions", {"--", "--help", "-x"}, Action::Run, {"--help", "-x"}, ""},
        ArgumentsCase{"ThreeFiles",
                      {"a", "b", "c"},
                      Action::Refuse,
                      {},
                      "too many files: 3 given, at most two (FILE1 and FILE2)"}),
    [](const ::testing::TestParamInfo<ArgumentsCase>& info) { return info.param.name; });

} // namespace
} // namespace twinvane
