// SPDX-License-Identifier: MIT
#include "platform/posix/version/Utf16.h"

#include <gtest/gtest.h>

#include <vector>

namespace twinvane::platform::posix {
namespace {

std::vector<std::byte> Le(const std::u16string& text) {
    std::vector<std::byte> bytes;
    for (const char16_t c : text) {
        bytes.push_back(static_cast<std::byte>(c & 0xFF));
        bytes.push_back(static_cast<std::byte>(c >> 8));
    }
    return bytes;
}

TEST(Utf16LeToUtf8Test, ConvertsEveryPlaneAndReplacesUnpairedSurrogates) {
    const struct {
        std::u16string in;
        std::string out;
    } cases[] = {
        {u"Twinvane", "Twinvane"},
        {u"Caf\u00E9 \u00A9", "Caf\xC3\xA9 \xC2\xA9"},
        {u"\u20AC", "\xE2\x82\xAC"},
        {u"\U0001F600", "\xF0\x9F\x98\x80"},
        {std::u16string(u"a\0b", 3), std::string("a\0b", 3)},
        {std::u16string(1, u'\xD800'), "\xEF\xBF\xBD"},
        {std::u16string(1, u'\xDC00') + u"x", "\xEF\xBF\xBDx"},
        {std::u16string(1, u'\xD83D') + u"x", "\xEF\xBF\xBDx"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf16LeToUtf8(Le(c.in)), c.out);
    }
}

TEST(Utf16LeToUtf8Test, AnOddLastByteIsIgnored) {
    auto bytes = Le(u"ab");
    bytes.push_back(std::byte{'c'});
    EXPECT_EQ(Utf16LeToUtf8(bytes), "ab");
}

TEST(Utf8ToUtf16Test, DecodesValidTextAndReplacesEachBadByte) {
    EXPECT_EQ(Utf8ToUtf16("StringFileInfo"), u"StringFileInfo");
    EXPECT_EQ(Utf8ToUtf16("Caf\xC3\xA9"), u"Caf\u00E9");
    EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80"), u"\U0001F600");
    EXPECT_EQ(Utf8ToUtf16("\xC3"), u"\uFFFD");                     // cut short
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");           // overlong
    EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD"); // a surrogate
    EXPECT_EQ(Utf8ToUtf16("\xE2\x28\xA1"), u"\uFFFD(\uFFFD");
}

} // namespace
} // namespace twinvane::platform::posix
