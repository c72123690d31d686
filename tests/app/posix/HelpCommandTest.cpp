// SPDX-License-Identifier: MIT
// On Linux the help file opens through the desktop when it exists; without
// one the built-in guide shows. (On Windows the file goes to WinHelp.)
#include "app/FakeMainView.h"
#include "app/TTwinvane.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace twinvane {
namespace {

class HelpCommandTest : public ::testing::Test {
protected:
    testing::TempFolder temp;
    testing::FakeMainView view;
    testing::FakeSettingsStorage storage;
    testing::RecordingLauncher shell;
    TTwinvane window{view, storage, shell};
};

TEST_F(HelpCommandTest, EmptyInstallFolderAsksForTheRootHelpFileAndFallsBackToTheGuide) {
    storage.stored.InstallFolder = "";
    window.FormActivate();
    EXPECT_EQ(window.HelpFile(), "/twinvane.hlp");
    window.Help2Click();
    EXPECT_EQ(view.builtInHelpShown, 1);
    EXPECT_TRUE(shell.requests.empty());
}

TEST_F(HelpCommandTest, ExistingHelpFileOpensThroughTheShell) {
    testing::WriteFile(temp / "twinvane.hlp", "help");
    storage.stored.InstallFolder = temp.Path().string();
    window.FormActivate();
    window.Help2Click();
    ASSERT_EQ(shell.requests.size(), 1U);
    EXPECT_EQ(shell.requests[0].file, temp / "twinvane.hlp");
    EXPECT_EQ(shell.requests[0].verb, "open");
    EXPECT_EQ(view.builtInHelpShown, 0);
}

} // namespace
} // namespace twinvane
