// SPDX-License-Identifier: MIT
#include "fileutil/stringutils.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

namespace twinvane {
namespace {

TEST(AddTrailingBackslashPosixTest, AppendsASlashUnlessOneEndsThePath) {
    EXPECT_EQ(AddTrailingBackslash("/opt/tools"), "/opt/tools/");
    EXPECT_EQ(AddTrailingBackslash("/opt/tools/"), "/opt/tools/");
    EXPECT_EQ(AddTrailingBackslash(""), "/");
    EXPECT_EQ(AddTrailingBackslash("odd\\"), "odd\\/");
}

TEST(PathPartsPosixTest, OnlyTheSlashEndsTheFolderPart) {
    EXPECT_EQ(FolderPart("/data/a.txt"), "/data/");
    EXPECT_EQ(FileNamePart("/data/a\\b:c.txt"), "a\\b:c.txt");
    EXPECT_EQ(FolderPart("a.txt"), "");
    EXPECT_EQ(FileNamePart("/data/"), "");
}

TEST(FullPathNamePosixTest, FoldsDotsWithoutResolvingLinks) {
    EXPECT_EQ(platform::FullPathName("/a/./b/../c"), "/a/c");
    EXPECT_EQ(platform::FullPathName("/a//b/"), "/a/b/");
    EXPECT_EQ(platform::FullPathName("/../.."), "/");
    EXPECT_EQ(platform::FullPathName(""), "");
}

} // namespace
} // namespace twinvane
