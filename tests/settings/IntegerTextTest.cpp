// SPDX-License-Identifier: MIT
#include "settings/IntegerText.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

namespace twinvane {
namespace {

struct IntegerCase {
    std::string text;
    std::optional<std::int32_t> expected;
};

TEST(ParseIntegerTest, AcceptsDecimalAndHexadecimalFormsWithBlanksAndSign) {
    const IntegerCase cases[] = {
        {"0", 0},
        {"42", 42},
        {"007", 7},
        {"   42", 42},
        {"+7", 7},
        {"-7", -7},
        {"  -12", -12},
        {"$1F", 31},
        {"x1f", 31},
        {"X1F", 31},
        {"0x1F", 31},
        {"0X1f", 31},
        {"-$10", -16},
        {"+0x10", 16},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"$7FFFFFFF", INT_MAX},
        {"$80000000", INT_MIN},
        {"$FFFFFFFF", -1},
        {"0x00000000000000FF", 255},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseInteger(c.text), c.expected) << "text \"" << c.text << "\"";
    }
}

TEST(ParseIntegerTest, RejectsEverythingElse) {
    const std::string cases[] = {
        "",
        "abc",
        "42 ",
        "4 2",
        " ",
        "+",
        "-",
        "- 5",
        "+-5",
        "$",
        "0x",
        "x",
        "$G",
        "12a",
        "1.5",
        "\t5",
        "5\n",
        "2147483648",
        "-2147483649",
        "$100000000",
        "99999999999999999999999999",
        "0x-1",
        std::string("5\0", 2),
    };
    for (const auto& text : cases) {
        EXPECT_EQ(ParseInteger(text), std::nullopt) << "text \"" << text << "\"";
    }
}

} // namespace
} // namespace twinvane
