// SPDX-License-Identifier: MIT
#include "tools/LineEscape.h"

#include <gtest/gtest.h>

#include <string>

namespace twinvane {
namespace {

TEST(EscapeForLineTest, NothingThatCouldBreakALineOrReachTheTerminalPassesRaw) {
    const struct {
        std::string text;
        std::string shown;
    } cases[] = {
        {"1.4.0.1", "1.4.0.1"},
        {"", ""},
        {"Caf\xC3\xA9 \xE2\x82\xAC", "Caf\xC3\xA9 \xE2\x82\xAC"},
        {"1.0\nFileVersion=9.9", "1.0\\nFileVersion=9.9"},
        {"a\tb", "a\\tb"},
        {"C:\\Tools\\n", "C:\\\\Tools\\\\n"},
        {"\x1B[2J\rDEL\x7F", "\\x1B[2J\\x0DDEL\\x7F"},
        {std::string("nul\0end", 7), "nul\\x00end"},
        {"\x01\x1F", "\\x01\\x1F"},
        {"csi \xC2\x9B"
         "31m, nbsp \xC2\xA0",
         "csi \\xC2\\x9B31m, nbsp \xC2\xA0"},
        {"cut \xC2", "cut \xC2"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EscapeForLine(c.text), c.shown) << c.shown;
    }
}

} // namespace
} // namespace twinvane
