// SPDX-License-Identifier: MIT
#include "platform/posix/settings/RegistryDocument.h"

#include <gtest/gtest.h>

#include <string>

namespace twinvane::platform::posix {
namespace {

// Only ASCII letters fold: bytes that differ from a letter's pair by the
// same bit (@ and `, [ and {, bytes above 127) name other keys and values,
// also in names longer than the pieces the hash folds at a time.
TEST(RegistryNamesTest, OnlyAsciiLettersFold) {
    const std::string longName(100, 'n');
    const struct {
        std::string a;
        std::string b;
        bool same;
    } cases[] = {
        {"Value", "vALUE", true},
        {longName + "Tail", longName + "tAIL", true},
        {"@ and [", "` and {", false},
        {"\xC1\xDA high", "\xE1\xFA high", false},
        {longName + "@", longName + "`", false},
        {"abc", "abcd", false},
    };
    const std::string key = "HKEY_CURRENT_USER\\Software\\";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.a + " / " + c.b);
        RegistryDocument document;
        document.SetValue(key + c.a, c.a, {kRegSz, "a"});
        document.SetValue(key + c.b, c.b, {kRegSz, "b"});
        // One key and one value when the names fold alike, else two keys.
        ASSERT_EQ(document.Keys().size(), c.same ? 1u : 2u);
        EXPECT_EQ(document.Keys().front().path, key + c.a);
        ASSERT_EQ(document.Keys().front().values.size(), 1u);
        EXPECT_EQ(document.Keys().front().values.front().name, c.a);
        EXPECT_EQ(document.FindValue(key + c.a, c.a)->data, c.same ? "b" : "a");
        EXPECT_TRUE(document.HasKey(FoldCase(key + c.b)));
    }
}

} // namespace
} // namespace twinvane::platform::posix
