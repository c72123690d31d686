// SPDX-License-Identifier: MIT
#include "fileutil/fileops.h"
#include "platform/FileSystem.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace twinvane {
namespace {

constexpr std::uint16_t kDirectory = platform::kAttributeDirectory;

TEST(HasAttributesTest, EmptyMaskHoldsForAnyNameEvenAMissingOne) {
    testing::TempFolder temp;
    EXPECT_TRUE(HasAttributes(temp / "missing", 0));
    EXPECT_TRUE(HasAttributes(temp.Path().string(), 0));
}

TEST(HasAttributesTest, MissingFileHasNoAttributes) {
    testing::TempFolder temp;
    EXPECT_FALSE(HasAttributes(temp / "missing", kDirectory));
    EXPECT_FALSE(HasAttributes(temp / "missing", platform::kAttributeReadOnly));
    EXPECT_FALSE(HasAttributes("", kDirectory));
}

TEST(HasAttributesTest, FolderBitTellsFoldersFromFiles) {
    testing::TempFolder temp;
    testing::WriteFile(temp / "file.txt", "x");
    EXPECT_TRUE(HasAttributes(temp.Path().string(), kDirectory));
    EXPECT_FALSE(HasAttributes(temp / "file.txt", kDirectory));
}

TEST(HasAttributesTest, EveryBitOfTheMaskMustBeSet) {
    testing::TempFolder temp;
    EXPECT_FALSE(HasAttributes(temp.Path().string(), kDirectory | platform::kAttributeReadOnly));
}

TEST(FileExistsTest, CountsFilesButNotFoldersOrMissingNames) {
    testing::TempFolder temp;
    testing::WriteFile(temp / "file.txt", "x");
    EXPECT_TRUE(platform::FileExists(temp / "file.txt"));
    EXPECT_FALSE(platform::FileExists(temp.Path().string()));
    EXPECT_FALSE(platform::FileExists(temp / "missing"));
    EXPECT_FALSE(platform::FileExists(""));
}

} // namespace
} // namespace twinvane
