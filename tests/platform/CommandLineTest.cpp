// SPDX-License-Identifier: MIT
#include "platform/CommandLine.h"

#include <gtest/gtest.h>

namespace twinvane::platform {
namespace {

using Args = std::vector<std::string>;

TEST(SplitCommandLineTest, FollowsTheWindowsRules) {
    const struct {
        std::string text;
        Args expected;
    } cases[] = {
        {"", {}},
        {"   ", {}},
        {"a b\tc", {"a", "b", "c"}},
        {R"("a b" c)", {"a b", "c"}},
        {R"("C:\TWVTemp1" "C:\TWVTemp2")", {R"(C:\TWVTemp1)", R"(C:\TWVTemp2)"}},
        {R"("")", {""}},
        {R"(a\\b)", {R"(a\\b)"}},
        {R"(a\"b)", {R"(a"b)"}},
        {R"(a\\"b c")", {R"(a\b c)"}},
        {R"(a\\\"b)", {R"(a\"b)"}},
        {R"("a""b")", {R"(a"b)"}},
        {R"(ab"c d"ef)", {"abc def"}},
        {R"("open)", {"open"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SplitCommandLine(c.text), c.expected);
    }
}

TEST(QuoteArgumentTest, PlainPathsAreOnlyWrappedInQuotes) {
    EXPECT_EQ(QuoteArgument(R"(C:\TWVTemp1)"), R"("C:\TWVTemp1")");
    EXPECT_EQ(QuoteArgument("/home/me/a file.txt"), R"("/home/me/a file.txt")");
    EXPECT_EQ(QuoteArgument(""), R"("")");
}

TEST(QuoteArgumentTest, EscapesQuotesAndTheBackslashesBeforeThem) {
    EXPECT_EQ(QuoteArgument(R"(say "hi")"), R"("say \"hi\"")");
    EXPECT_EQ(QuoteArgument(R"(ends\)"), R"("ends\\")");
    EXPECT_EQ(QuoteArgument(R"(a\"b)"), R"("a\\\"b")");
    EXPECT_EQ(QuoteArgument(R"(a\b)"), R"("a\b")");
}

TEST(QuoteArgumentTest, SplittingQuotedArgumentsGivesThemBackExactly) {
    const Args arguments = {"",      "plain", "with space", R"(q"uote)",   R"(tail\)",
                            R"(\\)", R"(\")", "tab\there",  "caf\xC3\xA9", R"(mix\ "\\" end\\)"};
    std::string text;
    for (const auto& argument : arguments) {
        text += QuoteArgument(argument) + " ";
    }
    EXPECT_EQ(SplitCommandLine(text), arguments);
}

TEST(CharacterTheInterpreterAltersTest, FindsWhatABatchFileWouldNotReceiveAsGiven) {
    const struct {
        std::string argument;
        std::optional<char> altered;
    } cases[] = {
        {R"(C:\data\report (1).txt)", std::nullopt},
        {R"(C:\data\%OS%.txt)", '%'},
        {R"(C:\data\hi!.txt)", '!'},
        {R"(C:\a&b\c^d.txt)", '&'},
        {"/tmp/say \"hi\"", '"'},
        {"line\nbreak", '\n'},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(CharacterTheInterpreterAlters(row.argument), row.altered) << row.argument;
    }
}

} // namespace
} // namespace twinvane::platform
