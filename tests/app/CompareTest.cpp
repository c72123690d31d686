// SPDX-License-Identifier: MIT
#include "CompareFixture.h"
#include "app/StandardError.h"
#include "fileutil/stringutils.h"
#include "platform/PathSyntax.h"

namespace twinvane {
namespace {

using testing::CurrentFolderGuard;

const std::string kCanFix = "Twinvane can fix this problem by copying both files to ";
const std::string kCannotFix = "Twinvane cannot fix this problem automaticly.";

std::string Question(const std::string& advice) {
    return "When added together the total length of the file paths exceeds 64 characters,\r" +
           advice +
           "\r Click Ok to Fix the problem, Click Abort to End the Comparison,\rClick Cancel to "
           "Open windiff on Compare and select the files from the WinDiff interface";
}

std::string Params(const std::string& file1, const std::string& file2) {
    return platform::QuotePath(file1) + " " + platform::QuotePath(file2);
}

class CompareTest : public testing::CompareFixture {};

TEST_F(CompareTest, PathsShorterThan64GoStraightToTheDiffProgram) {
    CurrentFolderGuard inside(temp.Path());
    const std::string file1(30, 'a');
    const std::string file2(33, 'b');
    MakeFile(file1, "1");
    MakeFile(file2, "2");
    Activate(file1, file2);

    window.Compare1Click();
    EXPECT_TRUE(view.messagesShown.empty());
    ASSERT_EQ(shell.requests.size(), 1U);
    const auto& request = shell.requests[0];
    EXPECT_EQ(request.file, temp / "windiff.exe");
    EXPECT_FALSE(request.verb.has_value());
    EXPECT_EQ(request.parameters, "\"" + file1 + "\" \"" + file2 + "\"");
    EXPECT_EQ(request.directory, platform::DiffProgramWorkingFolder());
    EXPECT_EQ(request.showCommand, 5);
    EXPECT_EQ(request.owner, view.NativeHandle());
}

TEST_F(CompareTest, SixtyFourCharactersRaiseTheQuestionAndAbortChangesOnlyPanel2) {
    CurrentFolderGuard inside(temp.Path());
    const std::string file1(30, 'a');
    const std::string file2(34, 'b');
    MakeFile(file1, "1");
    MakeFile(file2, "2");
    Activate(file1, file2);
    const auto before = window.State();

    view.messageAnswers = {MessageButton::Abort};
    window.Compare1Click();
    ASSERT_EQ(view.messagesShown.size(), 1U);
    EXPECT_EQ(view.messagesShown[0].kind, MessageKind::Error);
    EXPECT_EQ(view.messagesShown[0].buttons,
              (std::vector{MessageButton::Ok, MessageButton::Cancel, MessageButton::Abort}));
    // Relative names are all file name: together they reach the limit alone.
    EXPECT_EQ(view.messagesShown[0].text, Question(kCannotFix));
    EXPECT_EQ(view.panels[2], "NAMES TOO LONG 64");
    EXPECT_TRUE(shell.requests.empty());
    EXPECT_EQ(window.State().File1, before.File1);
    EXPECT_EQ(window.State().UserFile2, before.UserFile2);
    EXPECT_FALSE(window.State().Substituted);
    EXPECT_FALSE(platform::FileExists(Temporary(1)));
}

TEST_F(CompareTest, CancelStartsTheDiffProgramOnTheLongNames) {
    const std::string file1 = MakeFile(std::string(40, 'f') + "/one.txt", "1");
    const std::string file2 = MakeFile(std::string(40, 'g') + "/two.txt", "2");
    Activate(file1, file2);
    view.messageAnswers = {MessageButton::Cancel};
    window.Compare1Click();
    EXPECT_EQ(view.messagesShown.at(0).text,
              Question(kCanFix + platform::TemporaryCopyPlaceDescription() + "."));
    ASSERT_EQ(shell.requests.size(), 1U);
    EXPECT_EQ(shell.requests[0].parameters, Params(file1, file2));
    EXPECT_FALSE(window.State().Substituted);
}

TEST_F(CompareTest, OkCopiesBothFilesAndComparesTheCopies) {
    const std::string file1 = MakeFile(std::string(40, 'f') + "/one.txt", "first");
    const std::string file2 = MakeFile(std::string(40, 'g') + "/two.txt", "second");
    Activate(file1, file2, /*deleteTemps=*/false);

    view.messageAnswers = {MessageButton::Ok};
    window.Compare1Click();
    EXPECT_EQ(testing::ReadFile(Temporary(1)), "first");
    EXPECT_EQ(testing::ReadFile(Temporary(2)), "second");
    EXPECT_EQ(window.State().File1, Temporary(1));
    EXPECT_EQ(window.State().File2, Temporary(2));
    EXPECT_EQ(window.State().UserFile1, file1);
    EXPECT_EQ(window.State().UserFile2, file2);
    EXPECT_TRUE(window.State().Substituted);
    ASSERT_EQ(shell.requests.size(), 1U);
    EXPECT_EQ(shell.requests[0].parameters, Params(Temporary(1), Temporary(2)));
    // With the option off the substitution stays in force and on show.
    EXPECT_EQ(view.messagesShown.size(), 1U);
    EXPECT_EQ(view.panels[0], Temporary(1));
    EXPECT_EQ(view.panels[1], Temporary(2));
    EXPECT_EQ(testing::ReadFile(file1), "first");
}

TEST_F(CompareTest, NamesThatAloneReach64CannotBeFixedButOkStillCopies) {
    const std::string file1 = MakeFile(std::string(32, 'n'), "first");
    const std::string file2 = MakeFile(std::string(32, 'm'), "second");
    Activate(file1, file2, false);
    view.messageAnswers = {MessageButton::Ok};
    window.Compare1Click();
    EXPECT_EQ(view.messagesShown[0].text, Question(kCannotFix));
    EXPECT_TRUE(window.State().Substituted);
    EXPECT_EQ(testing::ReadFile(Temporary(2)), "second");
}

TEST_F(CompareTest, CleanUpOkDeletesTheCopiesAndRestoresTheNames) {
    const std::string file1 = MakeFile(std::string(40, 'f') + "/one.txt", "first");
    const std::string file2 = MakeFile(std::string(40, 'g') + "/two.txt", "second");
    Activate(file1, file2);
    view.messageAnswers = {MessageButton::Ok, MessageButton::Ok};
    window.Compare1Click();

    ASSERT_EQ(view.messagesShown.size(), 2U);
    EXPECT_EQ(view.messagesShown[1].kind, MessageKind::Warning);
    EXPECT_EQ(view.messagesShown[1].buttons,
              (std::vector{MessageButton::Ok, MessageButton::Cancel}));
    EXPECT_EQ(view.messagesShown[1].text, "Ok to Delete Temporary Files," + Temporary(1) + " , " +
                                              Temporary(2) + " Original names will be restored");
    EXPECT_FALSE(platform::FileExists(Temporary(1)));
    EXPECT_FALSE(platform::FileExists(Temporary(2)));
    EXPECT_EQ(window.State().File1, file1);
    EXPECT_EQ(window.State().File2, file2);
    EXPECT_EQ(view.panels[0], file1);
    EXPECT_EQ(view.panels[1], file2);
    EXPECT_FALSE(window.State().Substituted);
    EXPECT_EQ(testing::ReadFile(file1), "first");
    EXPECT_EQ(testing::ReadFile(file2), "second");
}

TEST_F(CompareTest, CleanUpCancelKeepsEverythingAndTheNextCompareAsksAgain) {
    const std::string file1 = MakeFile(std::string(40, 'f') + "/one.txt", "first");
    const std::string file2 = MakeFile(std::string(40, 'g') + "/two.txt", "second");
    Activate(file1, file2);
    view.messageAnswers = {MessageButton::Ok, MessageButton::Cancel};
    window.Compare1Click();
    EXPECT_TRUE(window.State().Substituted);
    EXPECT_EQ(window.State().File1, Temporary(1));
    EXPECT_TRUE(platform::FileExists(Temporary(1)));

    // The temporary names may themselves be long; a second OK must not
    // destroy the copies it would copy from.
    view.messageAnswers = {MessageButton::Ok, MessageButton::Ok};
    if (window.State().File1.size() + window.State().File2.size() < 64) {
        view.messageAnswers.pop_front(); // short temporary names raise no question
    }
    window.Compare1Click();
    EXPECT_TRUE(view.messageAnswers.empty());
    EXPECT_EQ(shell.requests.size(), 2U);
    EXPECT_FALSE(window.State().Substituted);
    EXPECT_EQ(window.State().File1, file1);
    EXPECT_FALSE(platform::FileExists(Temporary(2)));
}

TEST_F(CompareTest, SubstitutionInForceAtCloseStoresTheTemporaryNames) {
    const std::string file1 = MakeFile(std::string(40, 'f') + "/one.txt", "first");
    const std::string file2 = MakeFile(std::string(40, 'g') + "/two.txt", "second");
    Activate(file1, file2);
    view.messageAnswers = {MessageButton::Ok, MessageButton::Cancel};
    window.Compare1Click();
    window.FormClose();
    EXPECT_EQ(storage.stored.File1, Temporary(1));
    EXPECT_EQ(storage.stored.File2, Temporary(2));
}

TEST_F(CompareTest, FailedSecondCopyLeavesTheStateAsItWasButTheUserNames) {
    const std::string file1 = MakeFile(std::string(40, 'f') + "/one.txt", "first");
    const std::string file2 = temp / (std::string(40, 'g') + "/missing.txt");
    Activate(file1, file2);
    view.messageAnswers = {MessageButton::Ok};
    RunHandler(view, [&] { window.Compare1Click(); });
    EXPECT_EQ(view.errorBoxes, std::vector<std::string>{"Cannot open file " + file2 + "."});
    EXPECT_EQ(window.State().File1, file1);
    EXPECT_EQ(window.State().File2, file2);
    EXPECT_EQ(window.State().UserFile1, file1);
    EXPECT_FALSE(window.State().Substituted);
    EXPECT_TRUE(platform::FileExists(Temporary(1)));
    EXPECT_TRUE(shell.requests.empty());
}

TEST_F(CompareTest, ErrorDuringTheCleanUpIsReportedAsFileSelectionError) {
    const std::string file1 = MakeFile(std::string(40, 'f') + "/one.txt", "first");
    const std::string file2 = MakeFile(std::string(40, 'g') + "/two.txt", "second");
    Activate(file1, file2);
    // Only the length question is answered: the clean-up question fails.
    view.messageAnswers = {MessageButton::Ok};
    RunHandler(view, [&] { window.Compare1Click(); });
    EXPECT_EQ(view.plainMessages, std::vector<std::string>{"File Selection error"});
    EXPECT_TRUE(view.errorBoxes.empty());
    EXPECT_TRUE(window.State().Substituted);
}

} // namespace
} // namespace twinvane
