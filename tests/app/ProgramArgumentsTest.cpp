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
                      "too many files: 3 given, at most two (FILE1 and FILE2)"},
        ArgumentsCase{"CompareTwo", {"--compare", "a", "b"}, Action::Compare, {"a", "b"}, ""},
        ArgumentsCase{"CompareOneOpensTheWindow", {"--compare", "a"}, Action::Run, {"a"}, ""},
        ArgumentsCase{"StoreFile1", {"a", "--file1"}, Action::StoreFile1, {"a"}, ""},
        ArgumentsCase{"CompareWithFile1AfterDoubleDash",
                      {"--compare-with-file1", "--", "-x"},
                      Action::CompareWithFile1,
                      {"-x"},
                      ""},
        ArgumentsCase{"PrintFile1", {"--print-file1"}, Action::PrintFile1, {}, ""},
        ArgumentsCase{"File1WithoutItsName",
                      {"--file1"},
                      Action::Refuse,
                      {},
                      "'--file1' takes one file name, and 0 were given"},
        ArgumentsCase{"PrintFile1WithAName",
                      {"--print-file1", "a"},
                      Action::Refuse,
                      {},
                      "'--print-file1' takes no file name, and 1 was given"},
        ArgumentsCase{"FormsDoNotMix",
                      {"--file1", "a", "--compare"},
                      Action::Refuse,
                      {},
                      "'--file1' and '--compare' cannot be used together"}),
    [](const ::testing::TestParamInfo<ArgumentsCase>& info) { return info.param.name; });

} // namespace
} // namespace twinvane
