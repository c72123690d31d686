// SPDX-License-Identifier: MIT
#include "fileutil/fileops.h"
#include "fileutil/FileErrors.h"
#include "support/TempFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace twinvane {
namespace {

using testing::TempFolder;
using testing::WriteFile;

TEST(CopyFileToWin32Test, SourceHeldOpenForWritingRaisesOpenError) {
    TempFolder temp;
    WriteFile(temp / "locked.txt", "busy");
    const HANDLE writer =
        ::CreateFileA((temp / "locked.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_THROW(CopyFileTo(temp / "locked.txt", temp / "copy.txt"), EFOpenError);
    EXPECT_FALSE(std::filesystem::exists(temp.Path() / "copy.txt"));
    ::CloseHandle(writer);
}

TEST(CopyFileToWin32Test, DriveRelativeFolderDestinationGetsNoDoubledBackslash) {
    TempFolder temp;
    WriteFile(temp / "a.txt", "alpha");
    std::filesystem::create_directory(temp.Path() / "out");
    CopyFileTo(temp / "a.txt", temp / "out\\");
    EXPECT_TRUE(std::filesystem::exists(temp.Path() / "out" / "a.txt"));
}

} // namespace
} // namespace twinvane
