// SPDX-License-Identifier: MIT
#include "platform/posix/CaseFold.h"

#include <gtest/gtest.h>

#include <string>

namespace twinvane::platform::posix {
namespace {

// Only ASCII letters fold: bytes that differ from a letter's pair by the
// same bit (@ and `, [ and {, bytes above 127) stay apart, in the bytes
// taken eight at a time as in those taken one by one.
TEST(CaseFoldTest, OnlyAsciiLettersFold) {
    const struct {
        std::string a;
        std::string b;
        bool equal;
    } cases[] = {
        {"Value", "vALUE", true},
        {"HKEY_CURRENT_USER\\Software", "hkey_current_user\\SOFTWARE", true},
        {"@ and [ stay", "` and { stay", false},
        {"at@", "at`", false},
        {"x[", "x{", false},
        {"\xC1\xDA high bytes", "\xE1\xFA high bytes", false},
        {"\xC1", "\xE1", false},
        {"abc", "abcd", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EqualFolded(c.a, c.b), c.equal) << c.a << " / " << c.b;
        if (c.equal) {
            EXPECT_EQ(HashFolded(c.a), HashFolded(c.b)) << c.a;
        }
        EXPECT_EQ(EqualFolded(c.a, c.b), FoldCase(c.a) == FoldCase(c.b)) << c.a;
    }
}

} // namespace
} // namespace twinvane::platform::posix
