// SPDX-License-Identifier: MIT
#include "platform/posix/version/PeVersionResource.h"
#include "support/VersionFiles.h"

#include <gtest/gtest.h>

#include <functional>

namespace twinvane::platform::posix {
namespace {

using testing::kPeFileHeader;
using testing::kPeFirstEntry;
using testing::kPeOptionalHeader;
using testing::kPeResourceOffset;
using testing::StoreU16;
using testing::StoreU32;

using Bytes = std::vector<std::byte>;

// With one resource the section holds three directories of one entry each
// (24 bytes apiece), one data entry (16 bytes), then the block.
constexpr std::size_t kNameDirectory = kPeResourceOffset + 24;
constexpr std::size_t kLanguageDirectory = kPeResourceOffset + 48;
constexpr std::size_t kDataEntry = kPeResourceOffset + 72;
constexpr std::size_t kBlock = kPeResourceOffset + 88;

Bytes Block() {
    return testing::VersionBlock({testing::StringTable("040904B0", testing::EightStrings())},
                                 {0x0409, 0x04B0});
}

std::optional<FileRange> Find(const Bytes& file) {
    return FindVersionResource(MemoryByteSource(file));
}

TEST(FindVersionResourceTest, FindsTheBlockIn32And64BitFiles) {
    const Bytes block = Block();
    for (const auto kind : {testing::PeKind::Pe32, testing::PeKind::Pe32Plus}) {
        const Bytes file = testing::PeFile({{block}}, kind);
        const auto found = Find(file);
        ASSERT_TRUE(found);
        EXPECT_EQ(found->offset, kBlock);
        ASSERT_EQ(found->size, block.size());
        EXPECT_TRUE(std::equal(block.begin(), block.end(), file.begin() + kBlock));
    }
}

TEST(FindVersionResourceTest, DamagedHeadersAndDirectoriesGiveNoBlock) {
    const std::size_t directories = kPeOptionalHeader + 112; // PE32+
    const struct {
        const char* what;
        std::function<void(Bytes&)> damage;
    } cases[] = {
        {"no MZ",
         [](Bytes& f) {
             StoreU16(f, 0, 0x4D5A);
         }},
        {"new header past the end",
         [](Bytes& f) {
             StoreU32(f, 0x3C, 0xFFFFFFF0);
         }},
        {"no PE signature",
         [](Bytes& f) {
             StoreU32(f, 0x40, 0x454E);
         }},
        {"unknown optional header",
         [](Bytes& f) {
             StoreU16(f, kPeOptionalHeader, 0x107);
         }},
        {"two data directories",
         [&](Bytes& f) {
             StoreU32(f, directories - 4, 2);
         }},
        {"no resource directory",
         [&](Bytes& f) {
             StoreU32(f, directories + 16, 0);
         }},
        {"resources in no section",
         [&](Bytes& f) {
             StoreU32(f, directories + 16, 0x9000);
         }},
        {"section table past the end",
         [](Bytes& f) {
             StoreU16(f, kPeFileHeader + 2, 0xFFFF);
         }},
        {"optional header past the end",
         [](Bytes& f) {
             StoreU16(f, kPeFileHeader + 16, 0xFFFF);
         }},
        {"no sections",
         [](Bytes& f) {
             StoreU16(f, kPeFileHeader + 2, 0);
         }},
        {"entry counts past the end",
         [](Bytes& f) {
             StoreU16(f, kPeResourceOffset + 14, 0xFFFF);
         }},
        {"type entry pointing at data",
         [](Bytes& f) {
             StoreU32(f, kPeResourceOffset + kPeFirstEntry + 4, 24);
         }},
        {"name directory looping back to the root",
         [](Bytes& f) {
             StoreU32(f, kNameDirectory + kPeFirstEntry + 4, 0x80000000);
         }},
        {"type directory looping to itself",
         [](Bytes& f) {
             StoreU32(f, kPeResourceOffset + kPeFirstEntry + 4, 0x80000000);
         }},
        {"language entry pointing at a directory",
         [](Bytes& f) {
             StoreU32(f, kLanguageDirectory + kPeFirstEntry + 4, 0x80000000);
         }},
        {"directory past the end",
         [](Bytes& f) {
             StoreU32(f, kPeResourceOffset + kPeFirstEntry + 4, 0x8FFFFFF0);
         }},
        {"data in no section",
         [](Bytes& f) {
             StoreU32(f, kDataEntry, 0x10);
         }},
        {"data past the end",
         [](Bytes& f) {
             StoreU32(f, kDataEntry + 4, 0xFFFFFFFF);
         }},
    };
    ASSERT_TRUE(Find(testing::PeFile({{Block()}})));
    for (const auto& c : cases) {
        Bytes file = testing::PeFile({{Block()}});
        c.damage(file);
        EXPECT_FALSE(Find(file)) << c.what;
    }
}

// Windows looks numbered entries up by bisection, so entries out of order
// can hide the version resource; it stays hidden here too.
TEST(FindVersionResourceTest, NumberedEntriesOutOfOrderHideAsOnWindows) {
    Bytes file = testing::PeFile({{Block(), 0x0409, 1}, {Block(), 0x0409, 2}});
    ASSERT_TRUE(Find(file));
    const std::size_t first = kNameDirectory + kPeFirstEntry;
    StoreU32(file, first, 2);
    StoreU32(file, first + 8, 1);
    EXPECT_FALSE(Find(file));
}

TEST(FindVersionResourceTest, AFileCutAnywhereNamesOnlyBytesItHas) {
    const Bytes file = testing::PeFile({{Block()}});
    for (std::size_t size = 0; size <= file.size(); ++size) {
        const auto found =
            FindVersionResource(MemoryByteSource(std::span<const std::byte>(file.data(), size)));
        if (found) {
            EXPECT_LE(found->offset + found->size, size);
            EXPECT_EQ(found->offset, kBlock);
        }
    }
}

} // namespace
} // namespace twinvane::platform::posix
