// SPDX-License-Identifier: MIT
#include "fileutil/stringutils.h"

#include <gtest/gtest.h>

namespace twinvane {
namespace {

TEST(AddTrailingBackslashWin32Test, AppendsABackslashUnlessOneEndsThePath) {
    EXPECT_EQ(AddTrailingBackslash("C:\\Tools"), "C:\\Tools\\");
    EXPECT_EQ(AddTrailingBackslash("C:\\Tools\\"), "C:\\Tools\\");
    EXPECT_EQ(AddTrailingBackslash(""), "\\");
    EXPECT_EQ(AddTrailingBackslash("C:/Tools/"), "C:/Tools/\\");
}

TEST(PathPartsWin32Test, BackslashAndColonEndTheFolderPart) {
    EXPECT_EQ(FolderPart("C:\\data\\a.txt"), "C:\\data\\");
    EXPECT_EQ(FileNamePart("C:\\data\\a.txt"), "a.txt");
    EXPECT_EQ(FolderPart("C:a.txt"), "C:");
    EXPECT_EQ(FileNamePart("C:a.txt"), "a.txt");
    EXPECT_EQ(FolderPart("a.txt"), "");
    EXPECT_EQ(FileNamePart("C:\\data\\"), "");
}

} // namespace
} // namespace twinvane
