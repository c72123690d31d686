// SPDX-License-Identifier: MIT
// The Locate dialog proposes a graphical diff program found on PATH.
#include "app/FileDialogs.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

namespace twinvane {
namespace {

using testing::TempFolder;

// Puts `folders` on PATH for one test and restores the old value.
class PathOverride {
public:
    explicit PathOverride(const std::string& folders) {
        if (const char* old = std::getenv("PATH")) {
            old_ = old;
        }
        ::setenv("PATH", folders.c_str(), 1);
    }
    PathOverride(const PathOverride&) = delete;
    PathOverride& operator=(const PathOverride&) = delete;
    ~PathOverride() { ::setenv("PATH", old_.c_str(), 1); }

private:
    std::string old_;
};

void MakeProgram(const std::string& path, mode_t mode) {
    testing::WriteFile(path, "#!/bin/sh\n");
    ::chmod(path.c_str(), mode);
}

TEST(LocateProgramTest, ProposesTheFirstListedDiffProgramOnlyWhenNoneIsStored) {
    TempFolder early;
    TempFolder late;
    MakeProgram(early / "kdiff3", 0755);
    MakeProgram(early / "meld", 0644); // not executable: passed over
    MakeProgram(late / "meld", 0755);
    std::filesystem::create_directory(early.Path() / "kompare"); // a folder, not a program
    const PathOverride path("relative:" + early.Path().string() + ":" + late.Path().string());

    const auto first = LocWindiffRequest(early / "missing");
    EXPECT_EQ(first.fileName, late / "meld"); // the list's order wins over PATH's
    EXPECT_EQ(first.initialFolder, late.Path().string() + "/");

    const auto stored = LocWindiffRequest(early / "kdiff3");
    EXPECT_EQ(stored.fileName, "");
    EXPECT_EQ(stored.initialFolder, "/usr/bin");

    std::filesystem::remove(late.Path() / "meld");
    EXPECT_EQ(LocWindiffRequest("").fileName, early / "kdiff3");
}

} // namespace
} // namespace twinvane
