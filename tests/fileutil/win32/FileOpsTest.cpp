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

TEST(CopyFileToWin32Test, SourcesThatAreNotFilesOnDiskRaiseOpenErrorAndCreateNothing) {
    TempFolder temp;
    const std::string pipeName =
        "\\\\.\\pipe\\twinvane-copy-" + std::to_string(::GetCurrentProcessId());
    const HANDLE server = ::CreateNamedPipeA(pipeName.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE,
                                             1, 0, 0, 0, nullptr);
    ASSERT_NE(server, INVALID_HANDLE_VALUE);
    for (const std::string& source : {pipeName, std::string("NUL")}) {
        SCOPED_TRACE(source);
        try {
            CopyFileTo(source, temp / "copy.txt");
            ADD_FAILURE() << "no error raised";
        } catch (const EFOpenError& error) {
            EXPECT_EQ(error.Message(), "Cannot open file " + source);
        }
        EXPECT_FALSE(std::filesystem::exists(temp.Path() / "copy.txt"));
    }
    ::CloseHandle(server);
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
