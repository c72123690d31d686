// SPDX-License-Identifier: MIT
// An empty or relative entry of PATH means the current folder, where anyone
// may have put a program: no search of PATH may take a program from there.
#include "platform/Shell.h"
#include "support/EnvGuard.h"
#include "support/Recording.h"
#include "support/TempFolder.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace twinvane {
namespace {

TEST(PathSearchTest, TheDesktopOpenerIsNeverTakenFromTheCurrentFolder) {
    const testing::TempFolder temp;
    std::filesystem::create_directories(temp.Path() / "bin");
    std::filesystem::create_directories(temp.Path() / "here");
    std::filesystem::create_symlink(TWINVANE_RECORDER_PATH, temp / "bin/xdg-open");
    const std::string planted = temp / "here/xdg-open";
    testing::WriteFile(planted, "#!/bin/sh\ntouch \"$0.ran\"\n");
    ASSERT_EQ(::chmod(planted.c_str(), 0755), 0);
    const testing::CurrentFolderGuard inside(temp.Path() / "here");
    const testing::EnvGuard record("TWINVANE_RECORD_FILE", temp / "record.txt");
    for (const std::string& path :
         {":" + (temp / "bin"), "../here:" + (temp / "bin"), ".:" + (temp / "bin")}) {
        SCOPED_TRACE(path);
        std::filesystem::remove(temp / "record.txt");
        const testing::EnvGuard search("PATH", path);
        platform::ShellRequest request;
        request.file = "https://www.example.com/";
        EXPECT_GT(platform::ExecuteWithShell(request), 32);
        const auto opened = testing::WaitForRecording(temp / "record.txt");
        ASSERT_TRUE(opened);
        EXPECT_EQ(opened->arguments, std::vector<std::string>{"https://www.example.com/"});
        EXPECT_FALSE(std::filesystem::exists(planted + ".ran"));
    }
}

} // namespace
} // namespace twinvane
