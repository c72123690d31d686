// SPDX-License-Identifier: MIT
#include "fileutil/FileErrors.h"
#include "fileutil/fileops.h"
#include "fileutil/stringutils.h"
#include "platform/FileSystem.h"
#include "platform/PathSyntax.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace twinvane {
namespace {

using testing::CurrentFolderGuard;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

TEST(RelativeDestinationTest, ResolvesAgainstTheCurrentFolder) {
    TempFolder temp;
    WriteFile(temp / "a.txt", "alpha");
    std::filesystem::create_directory(temp.Path() / "sub");
    CurrentFolderGuard inside(temp.Path() / "sub");

    CopyFileTo(temp / "a.txt", "b.txt");
    EXPECT_EQ(ReadFile(temp / "sub/b.txt"), "alpha");

    CopyFileTo(temp / "a.txt", std::string("..") + platform::PathSeparator() + "c.txt");
    EXPECT_EQ(ReadFile(temp / "c.txt"), "alpha");
}

TEST(RelativeDestinationTest, CreateErrorNamesTheResolvedFullPath) {
    TempFolder temp;
    WriteFile(temp / "a.txt", "alpha");
    CurrentFolderGuard inside(temp.Path());
    const std::string relative = std::string("missing") + platform::PathSeparator() + "b.txt";
    try {
        CopyFileTo(temp / "a.txt", relative);
        FAIL() << "no error raised";
    } catch (const EFCreateError& error) {
        EXPECT_EQ(error.Message(), "Cannot create file " +
                                       AddTrailingBackslash(platform::FullPathName(
                                           std::filesystem::current_path().string())) +
                                       relative);
    }
}

} // namespace
} // namespace twinvane
