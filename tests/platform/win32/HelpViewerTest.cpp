// SPDX-License-Identifier: MIT
#include "platform/HelpViewer.h"
#include "support/RecordingLauncher.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace twinvane::platform {
namespace {

TEST(HelpViewerTest, NoHelpFileMeansTheCallerShowsItsOwn) {
    testing::TempFolder temp;
    std::filesystem::create_directory(temp / "twinvane.hlp");
    // An empty install folder gives "\twinvane.hlp".
    for (const std::string& helpFile :
         {temp / "missing.hlp", temp / "twinvane.hlp", std::string("\\twinvane.hlp")}) {
        testing::RecordingLauncher shell;
        EXPECT_FALSE(ShowHelp(0, helpFile, kHelpFinder, 0, shell)) << helpFile;
        EXPECT_TRUE(shell.requests.empty()) << helpFile;
    }
}

} // namespace
} // namespace twinvane::platform
