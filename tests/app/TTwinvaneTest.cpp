// SPDX-License-Identifier: MIT
#include "app/TTwinvane.h"
#include "FakeMainView.h"
#include "about/ProgramInfo.h"
#include "app/StandardError.h"
#include "fileutil/stringutils.h"
#include "platform/AppPaths.h"
#include "support/EnvGuard.h"
#include "support/TempFolder.h"
#include "widgets/MakerLinks.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace twinvane {
namespace {

using testing::TempFolder;

class TTwinvaneTest : public ::testing::Test {
protected:
    TTwinvaneTest() {
        testing::WriteFile(temp / "one.txt", "1");
        testing::WriteFile(temp / "two.txt", "2");
        testing::WriteFile(temp / "windiff.exe", "program");
    }

    // Stored settings naming three existing files.
    void StoreReadySettings() {
        storage.stored.File1 = temp / "one.txt";
        storage.stored.File2 = temp / "two.txt";
        storage.stored.WinDiffPath = temp / "windiff.exe";
    }

    TempFolder temp;
    testing::FakeMainView view;
    testing::FakeSettingsStorage storage;
    testing::RecordingLauncher shell;
    TTwinvane window{view, storage, shell};
};

TEST_F(TTwinvaneTest, FirstRunWithoutSettingsCannotFindWindiff) {
    window.FormActivate();
    EXPECT_EQ(window.State().Stored.File1, "");
    EXPECT_EQ(window.State().Stored.File2, "");
    EXPECT_EQ(window.State().Stored.WinDiffPath, "C:\\Twinvane");
    EXPECT_EQ(view.panels[2], "CAN'T FIND WINDIFF");
    EXPECT_FALSE(view.compareEnabled);
    EXPECT_TRUE(view.deleteTempsChecked);
    EXPECT_EQ(window.HelpFile(), AddTrailingBackslash("C:\\Twinvane") + "twinvane.hlp");
}

TEST_F(TTwinvaneTest, ActivationLoadsOnceAndCopiesTheUserNames) {
    StoreReadySettings();
    storage.stored.DeleteTemps = false;
    window.FormActivate();
    window.FormActivate();
    EXPECT_EQ(storage.loads, 1);
    EXPECT_EQ(window.State().UserFile1, temp / "one.txt");
    EXPECT_EQ(window.State().UserFile2, temp / "two.txt");
    EXPECT_FALSE(view.deleteTempsChecked);
    EXPECT_EQ(view.panels[0], temp / "one.txt");
    EXPECT_EQ(view.panels[2], "READY");
    EXPECT_TRUE(view.compareEnabled);
}

TEST_F(TTwinvaneTest, FailedLoadStopsActivationAndReachesTheErrorBox) {
    storage.stored.InstallFolder = "D:\\Loaded";
    storage.failLoadAfterInstall = true;
    RunHandler(view, [&] { window.FormActivate(); });
    ASSERT_EQ(view.errorBoxes.size(), 1U);
    // "'" sorts before ".", so no full stop is added.
    EXPECT_EQ(view.errorBoxes[0], "Invalid data type for 'File 1'");
    EXPECT_EQ(window.State().Stored.InstallFolder, "D:\\Loaded");
    EXPECT_EQ(window.HelpFile(), "");
    EXPECT_EQ(view.panels[2], "");
}

TEST_F(TTwinvaneTest, ValuesTheLoadCouldNotReadAreSavedOnlyOnceChanged) {
    StoreReadySettings();
    storage.stored.DeleteTemps = false;
    storage.failLoadAfterInstall = true;
    RunHandler(view, [&] { window.FormActivate(); });
    window.FormClose();
    EXPECT_EQ(storage.stored.File1, temp / "one.txt");
    EXPECT_EQ(storage.stored.File2, temp / "two.txt");

    view.dialogAnswers = {temp / "one.txt"};
    window.File2BtnClick();
    window.FormClose();
    EXPECT_EQ(storage.stored.File1, temp / "one.txt");
    EXPECT_EQ(storage.stored.File2, temp / "one.txt");
    EXPECT_EQ(storage.stored.WinDiffPath, temp / "windiff.exe");
    EXPECT_FALSE(storage.stored.DeleteTemps);
    EXPECT_TRUE(view.plainMessages.empty());
}

TEST_F(TTwinvaneTest, SelectingFile1AloneLeavesReadinessAlone) {
    window.FormActivate();
    storage.stored = {};
    view.dialogAnswers = {temp / "one.txt"};
    window.File1BtnClick();
    EXPECT_EQ(window.State().Stored.File1, temp / "one.txt");
    EXPECT_EQ(window.State().UserFile1, temp / "one.txt");
    EXPECT_EQ(view.panels[0], temp / "one.txt");
    EXPECT_EQ(view.panels[2], "CAN'T FIND WINDIFF");

    view.panels[2] = "untouched";
    view.dialogAnswers = {temp / "two.txt"};
    window.File1BtnClick();
    EXPECT_EQ(view.panels[2], "untouched");
    const auto& request = view.dialogsShown.back().second;
    EXPECT_EQ(request.title, "Select File 1");
    EXPECT_EQ(request.fileName, temp / "one.txt");
    EXPECT_EQ(request.initialFolder, FolderPart(temp / "one.txt"));
}

TEST_F(TTwinvaneTest, File2SelectionChecksReadinessChosenOrCancelled) {
    StoreReadySettings();
    storage.stored.File2.clear();
    window.FormActivate();
    EXPECT_EQ(view.panels[2], "NOT READY");

    view.dialogAnswers = {std::nullopt};
    view.panels[2] = "stale";
    window.File2BtnClick();
    EXPECT_EQ(view.panels[2], "NOT READY");
    EXPECT_EQ(window.State().Stored.File2, "");

    view.dialogAnswers = {temp / "two.txt"};
    window.File2BtnClick();
    EXPECT_EQ(view.panels[2], "READY");
    EXPECT_TRUE(view.compareEnabled);
    EXPECT_EQ(view.dialogsShown.back().second.title, "Select File 2");
}

TEST_F(TTwinvaneTest, SelectFilesOpensTheSecondDialogEvenWhenTheFirstIsCancelled) {
    window.FormActivate();
    view.dialogAnswers = {std::nullopt, temp / "two.txt"};
    window.SelectFiles1Click();
    ASSERT_EQ(view.dialogsShown.size(), 2U);
    EXPECT_EQ(view.dialogsShown[1].first, FileDialogId::Open2);
    EXPECT_EQ(window.State().Stored.File2, temp / "two.txt");
}

TEST_F(TTwinvaneTest, NamesThatDoNotExistOrAreFoldersAreNotReady) {
    StoreReadySettings();
    storage.stored.WinDiffPath = temp.Path().string();
    window.FormActivate();
    EXPECT_EQ(view.panels[2], "CAN'T FIND WINDIFF");
    EXPECT_FALSE(view.compareEnabled);

    view.dialogAnswers = {temp / "does-not-exist.txt"};
    window.File1BtnClick();
    EXPECT_EQ(window.State().Stored.File1, temp / "does-not-exist.txt");
}

TEST_F(TTwinvaneTest, ClearFileListKeepsCompareEnabledAndTheOldPanels) {
    StoreReadySettings();
    window.FormActivate();
    window.ClearFileList1Click();
    EXPECT_EQ(window.State().Stored.File1, "");
    EXPECT_EQ(window.State().Stored.File2, "");
    EXPECT_EQ(window.State().UserFile1, temp / "one.txt");
    EXPECT_TRUE(view.compareEnabled);
    EXPECT_EQ(view.panels[0], temp / "one.txt");
    EXPECT_EQ(storage.saves, 1);
    EXPECT_EQ(storage.stored.File1, "");

    window.Compare1Click();
    EXPECT_EQ(view.panels[2], "NOT READY");
    EXPECT_TRUE(view.compareEnabled);
    EXPECT_TRUE(shell.requests.empty());
}

TEST_F(TTwinvaneTest, LocateWindiffSavesAndChecksOnlyWhenChosen) {
    testing::TempFolder noPrograms; // no diff program found: the file dialog opens at once
    testing::EnvGuard path("PATH", noPrograms.Path().string());
    StoreReadySettings();
    storage.stored.WinDiffPath = "C:\\Twinvane";
    window.FormActivate();
    view.dialogAnswers = {std::nullopt};
    window.LocateWindiffClick();
    EXPECT_EQ(storage.saves, 0);
    EXPECT_EQ(view.dialogsShown.back().second.title, "Locate Windiff");

    view.dialogAnswers = {temp / "windiff.exe"};
    window.LocateWindiffClick();
    EXPECT_EQ(storage.saves, 1);
    EXPECT_EQ(storage.stored.WinDiffPath, temp / "windiff.exe");
    EXPECT_EQ(view.panels[2], "READY");
}

TEST_F(TTwinvaneTest, DeleteTempsTogglesTheCheckAndIsStoredOnlyOnSave) {
    window.FormActivate();
    window.DeletetempsClick();
    EXPECT_FALSE(view.deleteTempsChecked);
    EXPECT_EQ(storage.saves, 0);
    window.SaveFiles1Click();
    EXPECT_FALSE(storage.stored.DeleteTemps);
    window.DeletetempsClick();
    EXPECT_TRUE(view.deleteTempsChecked);
}

// The close writes what changed in this window, and only that: a value
// another Twinvane stored meanwhile (File 2 here) is not undone.
TEST_F(TTwinvaneTest, ExitClosesTheWindowAndCloseSavesWhatChangedInIt) {
    StoreReadySettings();
    window.FormActivate();
    window.FileDroppedOn(Command::SelectFile1, temp / "two.txt");
    storage.stored.File2 = "chosen elsewhere";
    window.Exit1Click();
    EXPECT_TRUE(view.closeRequested);
    window.FormClose();
    EXPECT_EQ(storage.stored.File1, temp / "two.txt");
    EXPECT_EQ(storage.stored.File2, "chosen elsewhere");
    EXPECT_TRUE(view.plainMessages.empty());
}

// Closed before the start-up work ran (a close that came first): the stored
// settings stay and the files given on the command line are kept.
TEST_F(TTwinvaneTest, CloseBeforeStartUpKeepsTheSettingsAndTheCommandLineFiles) {
    StoreReadySettings();
    storage.stored.DeleteTemps = false;
    window.SetCommandLineFiles({temp / "two.txt"});
    window.FormClose();
    EXPECT_EQ(storage.stored.File1, temp / "two.txt");
    EXPECT_EQ(storage.stored.File2, temp / "two.txt");
    EXPECT_EQ(storage.stored.WinDiffPath, temp / "windiff.exe");
    EXPECT_FALSE(storage.stored.DeleteTemps);
}

TEST_F(TTwinvaneTest, FailedSaveAtCloseIsReportedPlainly) {
    window.FormActivate();
    storage.failSave = true;
    RunHandler(view, [&] { window.FormClose(); });
    // The design's text first, then why.
    EXPECT_EQ(view.plainMessages,
              std::vector<std::string>{"Unable to save files\rFailed to set data for 'Install'"});
    EXPECT_TRUE(view.errorBoxes.empty());
}

TEST_F(TTwinvaneTest, FailedSaveFromTheMenuReachesTheStandardErrorBox) {
    window.FormActivate();
    storage.failSave = true;
    RunHandler(view, [&] { window.SaveFiles1Click(); });
    EXPECT_EQ(view.errorBoxes, std::vector<std::string>{"Failed to set data for 'Install'"});
}

TEST_F(TTwinvaneTest, DroppedFilesSetBothNamesInOrderAndCheck) {
    StoreReadySettings();
    storage.stored.File1.clear();
    storage.stored.File2.clear();
    window.FormActivate();
    window.FilesDropped({temp / "two.txt", temp / "one.txt"});
    EXPECT_EQ(window.State().Stored.File1, temp / "two.txt");
    EXPECT_EQ(window.State().UserFile2, temp / "one.txt");
    EXPECT_EQ(view.panels[2], "READY");

    window.FileDroppedOn(Command::SelectFile2, temp / "two.txt");
    EXPECT_EQ(window.State().Stored.File2, temp / "two.txt");
    window.FileDroppedOn(Command::Compare, temp / "one.txt");
    window.FilesDropped({temp / "one.txt"});
    EXPECT_EQ(window.State().Stored.File1, temp / "two.txt");
}

TEST_F(TTwinvaneTest, LinkCommandsOpenTheMakersAddressesThroughTheShell) {
    window.RunCommand(Command::VarnookOnTheWeb);
    window.RunCommand(Command::EmailVarnook);
    ASSERT_EQ(shell.requests.size(), 2U);
    EXPECT_EQ(shell.requests[0].file, kMakerWebAddress);
    EXPECT_EQ(shell.requests[1].file, std::string("mailto:") + kMakerSupportAddress);
    for (const auto& request : shell.requests) {
        EXPECT_EQ(request.verb, "open");
        EXPECT_EQ(request.owner, view.NativeHandle());
    }
}

TEST_F(TTwinvaneTest, AboutShowsTheRunningProgramsOwnVersion) {
    window.FormActivate();
    EXPECT_EQ(window.AboutBox().Filename(), platform::RunningExecutablePath());
    window.RunCommand(Command::About);
    const auto& form = view.aboutForms.Last();
    EXPECT_TRUE(form.Shown());
    EXPECT_TRUE(form.released);
    EXPECT_EQ(form.caption, kProgramTitle);
    EXPECT_EQ(form.Text(AboutLabel::WVersion), std::string("Version ") + kProgramVersion);
    EXPECT_EQ(form.outerWidth, 160);
}

TEST_F(TTwinvaneTest, AboutFailureReachesTheStandardErrorBox) {
    window.FormActivate();
    window.AboutBox().SetIconFile(temp / "missing.bmp");
    RunHandler(view, [&] { window.About1Click(); });
    ASSERT_EQ(view.errorBoxes.size(), 1U);
    EXPECT_FALSE(view.aboutForms.Last().Shown());
}

// Names in the test's folder, which is also the current folder.
struct CommandLineCase {
    const char* name;
    std::vector<std::string> given;
    bool givenInFull; // else given as they are, relative
    std::string file1;
    std::string file2;
    const char* readiness;

    friend void PrintTo(const CommandLineCase& c, std::ostream* out) { *out << c.name; }
};

class CommandLineFilesTest : public TTwinvaneTest,
                             public ::testing::WithParamInterface<CommandLineCase> {};

TEST_P(CommandLineFilesTest, ReplaceTheLoadedFilesAsASelectionWouldAndAreSavedAtClose) {
    const CommandLineCase& c = GetParam();
    StoreReadySettings();
    testing::CurrentFolderGuard here(temp.Path());
    const auto full = [&](const std::string& name) {
        return temp / name;
    };
    std::vector<std::string> given;
    for (const std::string& name : c.given) {
        given.push_back(c.givenInFull ? full(name) : name);
    }
    window.SetCommandLineFiles(given);
    window.FormActivate();

    EXPECT_EQ(window.State().Stored.File1, full(c.file1));
    EXPECT_EQ(window.State().UserFile1, full(c.file1));
    EXPECT_EQ(window.State().Stored.File2, full(c.file2));
    EXPECT_EQ(window.State().UserFile2, full(c.file2));
    EXPECT_EQ(view.panels[kPanelFile1], full(c.file1));
    EXPECT_EQ(view.panels[kPanelReadiness], c.readiness);
    window.FormClose();
    EXPECT_EQ(storage.stored.File1, full(c.file1));
    EXPECT_EQ(storage.stored.File2, full(c.file2));
}

// The stored files are one.txt and two.txt.
INSTANTIATE_TEST_SUITE_P(
    Names, CommandLineFilesTest,
    ::testing::Values(
        CommandLineCase{"OneName", {"two.txt"}, true, "two.txt", "two.txt", "READY"},
        CommandLineCase{"TwoNames", {"two.txt", "one.txt"}, true, "two.txt", "one.txt", "READY"},
        CommandLineCase{"RelativeName", {"two.txt"}, false, "two.txt", "two.txt", "READY"},
        CommandLineCase{
            "MissingFile", {"missing.txt"}, true, "missing.txt", "two.txt", "NOT READY"}),
    [](const ::testing::TestParamInfo<CommandLineCase>& info) { return info.param.name; });

TEST_F(TTwinvaneTest, CommandLineFilesCountEvenWhenTheSettingsFailToLoad) {
    storage.failLoadAfterInstall = true;
    window.SetCommandLineFiles({temp / "one.txt"});
    RunHandler(view, [&] { window.FormActivate(); });
    EXPECT_EQ(view.errorBoxes.size(), 1U);
    EXPECT_EQ(window.State().Stored.File1, temp / "one.txt");
    EXPECT_EQ(view.panels[kPanelFile1], temp / "one.txt");
}

TEST(StandardErrorTextTest, AddsAFullStopOnlyAfterCharactersThatSortAfterIt) {
    EXPECT_EQ(StandardErrorText("Cannot open file x"), "Cannot open file x.");
    EXPECT_EQ(StandardErrorText("Done."), "Done.");
    EXPECT_EQ(StandardErrorText("Really!"), "Really!");
    EXPECT_EQ(StandardErrorText("ends in dash-"), "ends in dash-");
    EXPECT_EQ(StandardErrorText("path/"), "path/.");
    EXPECT_EQ(StandardErrorText(""), "");
    EXPECT_EQ(StandardErrorText("caf\xC3\xA9"), "caf\xC3\xA9.");
}

TEST(RunHandlerTest, EveryEscapingErrorReachesTheErrorBox) {
    testing::FakeMainView view;
    RunHandler(view, [] { throw Exception("Cannot open file a"); });
    RunHandler(view, [] { throw std::runtime_error("plain"); });
    RunHandler(view, [] { throw 7; });
    RunHandler(view, [] {});
    EXPECT_EQ(view.errorBoxes,
              (std::vector<std::string>{"Cannot open file a.", "plain.", "Unexpected error."}));
}

} // namespace
} // namespace twinvane
