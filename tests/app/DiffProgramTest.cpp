// SPDX-License-Identifier: MIT
// The diff program's arguments and the choice of short copies for long names.
#include "CompareFixture.h"
#include "fileutil/stringutils.h"
#include "support/Recording.h"

namespace twinvane {
namespace {

const std::string kTortoise = "/base:\"%1\" /mine:\"%2\"";
const std::string kCode = "--wait --diff \"%1\" \"%2\"";
const std::string kTwoNames = "\"%1\" \"%2\"";

class DiffProgramTest : public testing::CompareFixture {
protected:
    // Two existing files whose paths together pass the length limit.
    void LongNames() {
        file1 = MakeFile(std::string(40, 'f') + "/one.txt", "first");
        file2 = MakeFile(std::string(40, 'g') + "/two.txt", "second");
    }
    std::string file1;
    std::string file2;
};

TEST_F(DiffProgramTest, WithoutShortNamesLongNamesGoToTheProgramWithNoQuestionOrCopy) {
    LongNames();
    storage.stored.ShortNames = false;
    Activate(file1, file2);
    EXPECT_FALSE(view.shortNamesChecked);
    window.Compare1Click();
    EXPECT_TRUE(view.messagesShown.empty());
    ASSERT_EQ(shell.requests.size(), 1U);
    EXPECT_EQ(shell.requests[0].arguments, (std::vector<std::string>{file1, file2}));
    EXPECT_EQ(shell.requests[0].parameters, "\"" + file1 + "\" \"" + file2 + "\"");
    EXPECT_FALSE(platform::FileExists(Temporary(1)));
    EXPECT_FALSE(platform::FileExists(Temporary(2)));
    EXPECT_FALSE(window.State().Substituted);
    EXPECT_EQ(view.panels[2], "READY");
}

TEST_F(DiffProgramTest, TheTemplateGivesTheArgumentListAndTheCommandLine) {
    const std::string one = MakeFile("one.txt", "1");
    const std::string two = MakeFile("two.txt", "2");
    storage.stored.WinDiffArgs = kTortoise;
    storage.stored.ShortNames = false; // the test's folder may be deep
    Activate(one, two);
    window.Compare1Click();
    ASSERT_EQ(shell.requests.size(), 1U);
    EXPECT_EQ(shell.requests[0].arguments,
              (std::vector<std::string>{"/base:" + one, "/mine:" + two}));
    EXPECT_EQ(shell.requests[0].parameters, "/base:\"" + one + "\" /mine:\"" + two + "\"");
}

TEST_F(DiffProgramTest, TurningShortNamesOffAfterASubstitutionComparesTheUsersOwnNames) {
    LongNames();
    Activate(file1, file2);
    view.messageAnswers = {MessageButton::Ok, MessageButton::Cancel}; // copy, keep the copies
    window.Compare1Click();
    ASSERT_TRUE(window.State().Substituted);

    window.ShortNames1Click();
    window.Compare1Click();
    EXPECT_EQ(view.messagesShown.size(), 2U); // no question, no clean-up this time
    ASSERT_EQ(shell.requests.size(), 2U);
    EXPECT_EQ(shell.requests[1].arguments, (std::vector<std::string>{file1, file2}));
    EXPECT_FALSE(window.State().Substituted);
    EXPECT_EQ(view.panels[0], file1);
    EXPECT_EQ(view.panels[1], file2);
}

TEST_F(DiffProgramTest, LocatingAProgramGivesItTheTablesArgumentsAndShortNameChoice) {
    const struct {
        const char* fileName;
        std::string arguments;
        bool shortNames;
    } cases[] = {
        {"WinMergeU.exe", kTwoNames, false},
        {"TortoiseGitMerge.exe", kTortoise, false},
        {"code", kCode, false},
        {"p4merge", kTwoNames, false},
        {"windiff.exe", kTwoNames, true},
        {"mydiff", kTwoNames, true},
    };
    testing::TempFolder noPrograms; // no diff program found: the file dialog opens at once
    testing::EnvGuard path("PATH", noPrograms.Path().string());
    Activate("", "");
    for (const auto& c : cases) {
        // Start each case from the opposite values, so that each must be set.
        storage.stored.WinDiffArgs = "-x %1 %2";
        storage.stored.ShortNames = !c.shortNames;
        window.LoadSettings();
        const std::string program = AddTrailingBackslash(temp.Path().string()) + c.fileName;
        view.dialogAnswers = {program};
        window.LocateWindiffClick();
        EXPECT_EQ(storage.stored.WinDiffPath, program);
        EXPECT_EQ(storage.stored.WinDiffArgs, c.arguments) << c.fileName;
        EXPECT_EQ(storage.stored.ShortNames, c.shortNames) << c.fileName;
        EXPECT_EQ(view.shortNamesChecked, c.shortNames) << c.fileName;
    }
}

TEST_F(DiffProgramTest, ShortCopiesItemTogglesAndIsStoredAtTheNextSave) {
    Activate("", "");
    EXPECT_TRUE(view.shortNamesChecked);
    const int saves = storage.saves;
    window.RunCommand(Command::ShortNames);
    EXPECT_FALSE(view.shortNamesChecked);
    EXPECT_FALSE(window.State().Stored.ShortNames);
    EXPECT_EQ(storage.saves, saves);
    EXPECT_TRUE(storage.stored.ShortNames);
    window.SaveFiles1Click();
    EXPECT_FALSE(storage.stored.ShortNames);
    window.RunCommand(Command::ShortNames);
    EXPECT_TRUE(view.shortNamesChecked);
}

TEST_F(DiffProgramTest, TheArgumentsDialogShowsTheTemplateAndSavesWhatItAccepts) {
    storage.stored.WinDiffArgs = kCode;
    Activate("", "");
    const int saves = storage.saves;

    view.argumentAnswers = {std::nullopt};
    window.RunCommand(Command::DiffProgramArguments);
    EXPECT_EQ(view.argumentsShown, (std::vector<std::string>{kCode}));
    EXPECT_EQ(storage.saves, saves);

    view.argumentAnswers = {"--only %1"};
    window.DiffProgramArguments1Click();
    EXPECT_EQ(window.State().Stored.WinDiffArgs, kCode);
    EXPECT_EQ(storage.saves, saves);

    view.argumentAnswers = {kTortoise};
    window.DiffProgramArguments1Click();
    EXPECT_EQ(storage.stored.WinDiffArgs, kTortoise);
    EXPECT_EQ(storage.saves, saves + 1);
}

class DiffProgramStartTest : public testing::RealShellCompareFixture {};

TEST_F(DiffProgramStartTest, TemplateArgumentsReachTheProgramExactly) {
    const std::string one = MakeFile("first file.txt", "1");
    const std::string two = MakeFile("second file.txt", "2");
    storage.stored = {"", one, two, recorder, 2, true, kTortoise, false};
    realWindow.FormActivate();
    realWindow.Compare1Click();
    const auto recording = testing::WaitForRecording(recordFile);
    ASSERT_TRUE(recording);
    EXPECT_EQ(recording->arguments, (std::vector<std::string>{"/base:" + one, "/mine:" + two}));
}

} // namespace
} // namespace twinvane
