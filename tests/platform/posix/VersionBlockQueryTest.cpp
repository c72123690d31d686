// SPDX-License-Identifier: MIT
#include "platform/posix/version/VersionBlockQuery.h"
#include "support/VersionFiles.h"

#include <gtest/gtest.h>

namespace twinvane::platform::posix {
namespace {

using testing::EightStrings;
using testing::StoreU16;
using testing::StringTable;
using testing::Text;

// Where the root's first child ("StringFileInfo") starts: after the header,
// the key "VS_VERSION_INFO" with its NUL, and the 52-byte fixed part.
constexpr std::size_t kFirstChild = 92;

std::vector<std::byte> Block() {
    return testing::VersionBlock({StringTable("040904B0", EightStrings())}, {0x0409, 0x04B0});
}

std::optional<std::string> Query(const std::vector<std::byte>& block, std::string_view path) {
    return QueryVersionBlock(block, path);
}

TEST(QueryVersionBlockTest, TheRootGivesTheFixedPart) {
    for (const char* root : {"\\", "", "\\\\"}) {
        const auto fixed = Query(Block(), root);
        ASSERT_TRUE(fixed) << root;
        ASSERT_EQ(fixed->size(), 52u);
        EXPECT_EQ(fixed->substr(0, 4), "\xBD\x04\xEF\xFE");
    }
}

TEST(QueryVersionBlockTest, PathsSkipEmptyPartsAndMatchNamesWholeWithoutRegardToCase) {
    const std::string translation("\x09\x04\xB0\x04", 4);
    EXPECT_EQ(Query(Block(), "\\VarFileInfo\\Translation"), translation);
    EXPECT_EQ(Query(Block(), "VarFileInfo\\\\Translation\\"), translation);
    EXPECT_EQ(Query(Block(), "\\varfileinfo\\TRANSLATION"), translation);
    EXPECT_FALSE(Query(Block(), "\\VarFileInf\\Translation"));
    EXPECT_FALSE(Query(Block(), "\\VarFileInfoX\\Translation"));
    EXPECT_FALSE(Query(Block(), "\\Translation"));
}

TEST(QueryVersionBlockTest, TextKeepsItsStoredLengthTerminatorIncluded) {
    auto nothing = Text("Nothing", u"");
    nothing.value.clear();
    nothing.valueLength = 0;
    const auto block = testing::VersionBlock(
        {StringTable("040904B0", {Text("Name", u"Twinvane"), Text("Lone", u""), nothing,
                                  Text("Euro", u"\u20AC")})},
        {0x0409, 0x04B0});
    EXPECT_EQ(Query(block, "\\StringFileInfo\\040904B0\\Name"), std::string("Twinvane\0", 9));
    EXPECT_EQ(Query(block, "\\StringFileInfo\\040904B0\\Lone"), std::string(1, '\0'));
    EXPECT_EQ(Query(block, "\\StringFileInfo\\040904B0\\Nothing"), "");
    EXPECT_EQ(Query(block, "\\StringFileInfo\\040904B0\\Euro"), std::string("\xE2\x82\xAC\0", 4));
}

// A string stored as binary data comes back byte for byte, as Windows gives it.
TEST(QueryVersionBlockTest, ANodeOfTypeBinaryGivesItsRawBytes) {
    auto raw = Text("Name", u"ab");
    raw.text = false;
    raw.valueLength = 6;
    const auto block = testing::VersionBlock({StringTable("040904B0", {raw})}, {});
    EXPECT_EQ(Query(block, "\\StringFileInfo\\040904B0\\Name"), std::string("a\0b\0\0\0", 6));
}

TEST(QueryVersionBlockTest, TheFirstOfDuplicateNamesWins) {
    const auto block = testing::VersionBlock(
        {StringTable("040904B0", {Text("Name", u"first"), Text("NAME", u"second")})}, {});
    EXPECT_EQ(Query(block, "\\StringFileInfo\\040904B0\\name"), std::string("first\0", 6));
}

TEST(QueryVersionBlockTest, TheSearchStopsAtTheParentsLengthAndAtAChildOfLengthZero) {
    auto shortParent = Block();
    // "StringFileInfo" claims to end where its string table begins: after
    // its header and key with NUL (6 + 30 bytes).
    StoreU16(shortParent, kFirstChild, 36);
    EXPECT_FALSE(Query(shortParent, "\\StringFileInfo\\040904B0\\CompanyName"));
    EXPECT_TRUE(Query(shortParent, "\\VarFileInfo\\Translation"));

    auto zeroChild = Block();
    StoreU16(zeroChild, kFirstChild, 0);
    EXPECT_FALSE(Query(zeroChild, "\\VarFileInfo\\Translation"));
}

TEST(QueryVersionBlockTest, LengthsThatClaimMoreThanTheBlockHoldsAreCut) {
    auto block = Block();
    StoreU16(block, 0, 0xFFFF); // the root
    EXPECT_TRUE(Query(block, "\\VarFileInfo\\Translation"));
    // The translation node closes the block: its header, key, padding and value.
    const std::size_t translation = block.size() - (6 + 24 + 2 + 4);
    StoreU16(block, translation + 2, 0xFFFF);
    EXPECT_EQ(Query(block, "\\VarFileInfo\\Translation"), std::string("\x09\x04\xB0\x04", 4));
}

TEST(QueryVersionBlockTest, ABlockCutAnywhereIsNeverReadPastItsEnd) {
    const auto block = Block();
    const char* paths[] = {"\\", "\\VarFileInfo\\Translation",
                           "\\StringFileInfo\\040904B0\\CompanyName",
                           "\\StringFileInfo\\040904B0\\ProductVersion"};
    for (std::size_t size = 0; size <= block.size(); ++size) {
        const std::span<const std::byte> cut(block.data(), size);
        for (const char* path : paths) {
            const auto value = QueryVersionBlock(cut, path);
            if (value) {
                EXPECT_LE(value->size(), size) << path;
            }
        }
    }
    EXPECT_FALSE(QueryVersionBlock(std::span<const std::byte>(block.data(), 5), "\\"));
}

TEST(QueryVersionBlockTest, AKeyRunningToTheEndOfTheBlockHasNoValueOrChildren) {
    std::vector<std::byte> block(6 + 8, std::byte{'K'});
    StoreU16(block, 0, static_cast<std::uint16_t>(block.size()));
    StoreU16(block, 2, 4);
    EXPECT_EQ(Query(block, "\\"), "");
    EXPECT_FALSE(Query(block, "\\KKKK"));
}

} // namespace
} // namespace twinvane::platform::posix
