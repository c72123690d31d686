// SPDX-License-Identifier: MIT
// Two runs of the main window over the real settings file: what the first
// chose, the second finds.
#include "HeldLock.h"
#include "app/FakeMainView.h"
#include "app/RegistrySettingsStorage.h"
#include "app/TTwinvane.h"
#include "support/EnvGuard.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace twinvane {
namespace {

TEST(RememberedSettingsTest, ChoicesSurviveARestart) {
    testing::TempFolder config;
    testing::TempFolder files;
    testing::EnvGuard configHome("XDG_CONFIG_HOME", config.Path().string());
    testing::EnvGuard path("PATH", files.Path().string()); // no known diff program on it
    testing::WriteFile(files / "one.txt", "1");
    testing::WriteFile(files / "two.txt", "2");
    testing::WriteFile(files / "diff", "program");
    RegistrySettingsStorage storage;
    testing::RecordingLauncher shell;

    {
        testing::FakeMainView view;
        TTwinvane first(view, storage, shell);
        first.FormActivate();
        EXPECT_EQ(view.panels[2], "CAN'T FIND WINDIFF");
        view.dialogAnswers = {files / "one.txt", files / "two.txt", files / "diff"};
        first.SelectFiles1Click();
        first.LocateWindiffClick();
        EXPECT_EQ(view.panels[2], "READY");
        first.DeletetempsClick();
        first.Exit1Click();
        first.FormClose();
        EXPECT_TRUE(view.plainMessages.empty());
    }

    testing::FakeMainView view;
    TTwinvane second(view, storage, shell);
    second.FormActivate();
    EXPECT_EQ(second.State().Stored.File1, files / "one.txt");
    EXPECT_EQ(second.State().UserFile2, files / "two.txt");
    EXPECT_EQ(second.State().Stored.WinDiffPath, files / "diff");
    EXPECT_FALSE(second.State().Stored.DeleteTemps);
    EXPECT_FALSE(view.deleteTempsChecked);
    EXPECT_EQ(view.panels[2], "READY");
    EXPECT_TRUE(view.compareEnabled);
}

TEST(RememberedSettingsTest, CloseWhileAnotherProgramHoldsTheLockSaysSoAndCloses) {
    testing::TempFolder config;
    testing::EnvGuard configHome("XDG_CONFIG_HOME", config.Path().string());
    std::filesystem::create_directories(config.Path() / "twinvane");
    const testing::HeldLock held(config / "twinvane/registry.reg.lock");
    RegistrySettingsStorage storage;
    testing::RecordingLauncher shell;
    testing::FakeMainView view;
    TTwinvane window(view, storage, shell);
    window.FormActivate();
    window.DeletetempsClick(); // something to save
    window.Exit1Click();
    window.FormClose();
    EXPECT_TRUE(view.closeRequested);
    ASSERT_EQ(view.plainMessages.size(), 1U);
    // The reason names the lock that is held.
    EXPECT_EQ(view.plainMessages[0].rfind("Unable to save files\r", 0), 0U);
    EXPECT_NE(view.plainMessages[0].find("registry.reg.lock"), std::string::npos);
    EXPECT_TRUE(view.errorBoxes.empty());
}

// A window open while a file manager chooses File 1: the window's close
// keeps that choice and saves its own changes.
TEST(RememberedSettingsTest, AFile1ChosenElsewhereSurvivesTheCloseOfAnEarlierWindow) {
    testing::TempFolder config;
    testing::TempFolder files;
    testing::EnvGuard configHome("XDG_CONFIG_HOME", config.Path().string());
    for (const char* name : {"one.txt", "two.txt", "three.txt"}) {
        testing::WriteFile(files / name, name);
    }
    RegistrySettingsStorage storage;
    StoredSettings earlier;
    earlier.File1 = files / "one.txt";
    earlier.File2 = files / "two.txt";
    storage.Save(earlier, AllSettingsFields());
    testing::RecordingLauncher shell;
    testing::FakeMainView view;
    TTwinvane window(view, storage, shell);
    window.FormActivate();
    window.DeletetempsClick();

    {
        const testing::CurrentFolderGuard inside(files.Path());
        StoreFile1(storage, "three.txt");
        EXPECT_THROW(StoreFile1(storage, "missing.txt"), Exception);
    }
    EXPECT_EQ(StoredFile1(storage), files / "three.txt");
    window.FormClose();
    StoredSettings after;
    LoadSettings(after);
    EXPECT_EQ(after.File1, files / "three.txt");
    EXPECT_EQ(after.File2, files / "two.txt");
    EXPECT_FALSE(after.DeleteTemps);
}

} // namespace
} // namespace twinvane
