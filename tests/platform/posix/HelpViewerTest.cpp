// SPDX-License-Identifier: MIT
#include "platform/HelpViewer.h"
#include "support/RecordingLauncher.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace twinvane::platform {
namespace {

using testing::RecordingLauncher;
using testing::TempFolder;

constexpr WindowHandle kOwner = 0x77;

TEST(HelpViewerTest, AnExistingHelpFileGoesToTheShellToOpen) {
    TempFolder temp;
    const std::string helpFile = temp / "twinvane.hlp";
    testing::WriteFile(helpFile, "help");
    RecordingLauncher shell;
    EXPECT_TRUE(ShowHelp(kOwner, helpFile, kHelpFinder, 0, shell));
    ASSERT_EQ(shell.requests.size(), 1U);
    const ShellRequest& request = shell.requests.front();
    EXPECT_EQ(request.file, helpFile);
    EXPECT_EQ(request.verb, std::optional<std::string>("open"));
    EXPECT_EQ(request.owner, kOwner);
    EXPECT_FALSE(request.parameters.has_value());
    EXPECT_FALSE(request.directory.has_value());
}

TEST(HelpViewerTest, NoHelpFileMeansTheCallerShowsItsOwn) {
    TempFolder temp;
    std::filesystem::create_directory(temp / "twinvane.hlp");
    // An empty install folder gives "/twinvane.hlp".
    for (const std::string& helpFile :
         {temp / "missing.hlp", temp / "twinvane.hlp", std::string("/twinvane.hlp")}) {
        RecordingLauncher shell;
        EXPECT_FALSE(ShowHelp(kOwner, helpFile, kHelpFinder, 0, shell)) << helpFile;
        EXPECT_TRUE(shell.requests.empty()) << helpFile;
    }
}

TEST(HelpViewerTest, AHelpFileTheShellCannotOpenIsNotReportedAsShown) {
    TempFolder temp;
    const std::string helpFile = temp / "twinvane.hlp";
    testing::WriteFile(helpFile, "help");
    RecordingLauncher shell;
    shell.result = kShellNoAssociation;
    EXPECT_FALSE(ShowHelp(kOwner, helpFile, kHelpFinder, 0, shell));
    EXPECT_EQ(shell.requests.size(), 1U);
}

} // namespace
} // namespace twinvane::platform
