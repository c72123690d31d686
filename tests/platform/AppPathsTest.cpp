// SPDX-License-Identifier: MIT
#include "platform/AppPaths.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace twinvane::platform {
namespace {

TEST(RunningExecutablePathTest, NamesThisTestProgramByItsFullPath) {
    const std::string path = RunningExecutablePath();
    EXPECT_TRUE(FileExists(path)) << path;
    const std::filesystem::path parsed(path);
    EXPECT_TRUE(parsed.is_absolute()) << path;
    EXPECT_EQ(parsed.stem().string(), "version_platform_tests");
}

} // namespace
} // namespace twinvane::platform
