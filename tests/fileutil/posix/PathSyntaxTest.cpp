// SPDX-License-Identifier: MIT
#include "fileutil/stringutils.h"
#include "platform/FileSystem.h"
#include "support/TempFolder.h"

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

// After a link, ".." is the parent of the link's target: the full name must
// lead to the file the system opens, not to the one the text suggests.
TEST(FullPathNamePosixTest, FoldsDotDotOnlyAsTheSystemResolvesIt) {
    const testing::TempFolder temp;
    std::filesystem::create_directories(temp.Path() / "elsewhere" / "deep");
    std::filesystem::create_directory(temp.Path() / "here");
    std::filesystem::create_directory_symlink(temp.Path() / "elsewhere" / "deep",
                                              temp.Path() / "here" / "link");
    // What the system resolves comes back without links in it.
    const std::string real = std::filesystem::canonical(temp.Path()).string();
    const struct {
        std::string path;
        std::string full;
    } cases[] = {
        {temp / "here/link/../a.txt", real + "/elsewhere/a.txt"},
        {temp / "here/./link/..//deep/../b/", real + "/elsewhere/b/"},
        {temp / "here/missing/../a.txt", temp / "here/missing/../a.txt"},
        {"/a//b/./c", "/a/b/c"},
        {"/../..", "/"},
        {"", ""},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.path);
        EXPECT_EQ(platform::FullPathName(row.path), row.full);
    }
    const testing::CurrentFolderGuard inside(temp.Path() / "here");
    EXPECT_EQ(platform::FullPathName("link/../a.txt"), real + "/elsewhere/a.txt");
}

} // namespace
} // namespace twinvane
