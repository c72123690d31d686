// SPDX-License-Identifier: MIT
#include "CompareFixture.h"
#include "app/StandardError.h"
#include "fileutil/stringutils.h"
#include "platform/PathSyntax.h"

#include <fstream>

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
    // The program runs in a folder of its own: relative names reach it whole.
    EXPECT_EQ(request.parameters, Params(temp / file1, temp / file2));
    EXPECT_EQ(request.directory, platform::DiffProgramWorkingFolder());
    EXPECT_EQ(request.showCommand, 5);
    EXPECT_EQ(request.owner, view.NativeHandle());
}

TEST_F(CompareTest, RelativeProgramAndOptionLikeNamesReachTheShellAsFullPaths) {
    CurrentFolderGuard inside(temp.Path());
    MakeFile("-one", "1");
    MakeFile("two", "2");
    storage.stored = {"", "-one", "two", "windiff.exe", 2, true};
    window.FormActivate();
    window.Compare1Click();
    ASSERT_EQ(shell.requests.size(), 1U);
    EXPECT_EQ(shell.requests[0].file, temp / "windiff.exe");
    EXPECT_EQ(shell.requests[0].parameters, Params(temp / "-one", temp / "two"));
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
    EXPECT_EQ(window.State().Stored.File1, before.Stored.File1);
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
    EXPECT_EQ(window.State().Stored.File1, Temporary(1));
    EXPECT_EQ(window.State().Stored.File2, Temporary(2));
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
    EXPECT_EQ(window.State().Stored.File1, file1);
    EXPECT_EQ(window.State().Stored.File2, file2);
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
    EXPECT_EQ(window.State().Stored.File1, Temporary(1));
    EXPECT_TRUE(platform::FileExists(Temporary(1)));

    // The temporary names may themselves be long; a second OK must not
    // destroy the copies it would copy from.
    view.messageAnswers = {MessageButton::Ok, MessageButton::Ok};
    if (window.State().Stored.File1.size() + window.State().Stored.File2.size() < 64) {
        view.messageAnswers.pop_front(); // short temporary names raise no question
    }
    window.Compare1Click();
    EXPECT_TRUE(view.messageAnswers.empty());
    EXPECT_EQ(shell.requests.size(), 2U);
    EXPECT_FALSE(window.State().Substituted);
    EXPECT_EQ(window.State().Stored.File1, file1);
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
    EXPECT_EQ(window.State().Stored.File1, file1);
    EXPECT_EQ(window.State().Stored.File2, file2);
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
    ASSERT_EQ(view.plainMessages.size(), 1U);
    EXPECT_EQ(view.plainMessages[0].rfind("File Selection error\runexpected message box", 0), 0U);
    EXPECT_TRUE(view.errorBoxes.empty());
    EXPECT_TRUE(window.State().Substituted);
}

// The clean-up is accepted at once, but the copies are what the diff program
// reads: they go only when it has ended.
TEST_F(CompareTest, CopiesOutliveTheCleanUpUntilTheDiffProgramEnds) {
    const std::string file1 = MakeFile(std::string(40, 'f') + "/one.txt", "first");
    const std::string file2 = MakeFile(std::string(40, 'g') + "/two.txt", "second");
    Activate(file1, file2);
    shell.program = testing::RecordingLauncher::Program::Running;
    view.messageAnswers = {MessageButton::Ok, MessageButton::Ok};
    window.Compare1Click();
    EXPECT_EQ(window.State().Stored.File1, file1);
    EXPECT_FALSE(window.State().Substituted);
    window.PollPendingDeletion();
    EXPECT_EQ(testing::ReadFile(Temporary(1)), "first");
    EXPECT_EQ(testing::ReadFile(Temporary(2)), "second");

    shell.program = testing::RecordingLauncher::Program::Ended;
    window.PollPendingDeletion();
    EXPECT_FALSE(platform::FileExists(Temporary(1)));
    EXPECT_FALSE(platform::FileExists(Temporary(2)));
}

TEST_F(CompareTest, UnfollowedCopiesGoAtTheNextStartUnlessStillOpen) {
    const std::string file1 = MakeFile(std::string(40, 'f') + "/one.txt", "first");
    const std::string file2 = MakeFile(std::string(40, 'g') + "/two.txt", "second");
    Activate(file1, file2);
    shell.program = testing::RecordingLauncher::Program::Untracked;
    view.messageAnswers = {MessageButton::Ok, MessageButton::Ok};
    window.Compare1Click();
    window.PollPendingDeletion();
    ASSERT_TRUE(platform::FileExists(Temporary(1)));

    std::ifstream stillRead(Temporary(2));
    ASSERT_TRUE(stillRead.is_open());
    TTwinvane nextRun{view, storage, shell};
    nextRun.FormActivate();
    EXPECT_FALSE(platform::FileExists(Temporary(1)));
    EXPECT_TRUE(platform::FileExists(Temporary(2)));
    EXPECT_EQ(testing::ReadFile(file1), "first");
}

// A temporary copy the user edited and picked as File 2, by its name or
// through another name of the same file, is the user's: no copy is written
// over it and the clean-up leaves it.
TEST_F(CompareTest, TemporaryCopyPickedAsAFileIsNeitherOverwrittenNorDeleted) {
    for (const bool hardLink : {false, true}) {
        SCOPED_TRACE(hardLink ? "hard link" : "its own name");
        platform::PrepareTemporaryCopyFolder();
        testing::WriteFile(Temporary(1), "edited");
        std::string file2 = Temporary(1);
        if (hardLink) {
            file2 = temp / "edited-link.txt";
            std::filesystem::remove(file2);
            std::filesystem::create_hard_link(Temporary(1), file2);
        }
        const std::string file1 = MakeFile(std::string(60, 'f') + "/one.txt", "first");
        TTwinvane fresh{view, storage, shell};
        storage.stored = {"", file1, file2, temp / "windiff.exe", 2, true};
        fresh.FormActivate();
        view.messageAnswers = {MessageButton::Ok, MessageButton::Ok};
        fresh.Compare1Click();

        EXPECT_EQ(shell.requests.back().parameters, Params(Temporary(2), Temporary(1)));
        EXPECT_EQ(testing::ReadFile(file2), "edited");
        EXPECT_EQ(testing::ReadFile(Temporary(1)), "edited");
        EXPECT_FALSE(platform::FileExists(Temporary(2)));
        EXPECT_EQ(fresh.State().Stored.File2, file2);
    }
}

TEST_F(CompareTest, FailedStartIsReportedAndKeepsTheCopiesWithoutACleanUp) {
    const std::string file1 = MakeFile(std::string(40, 'f') + "/one.txt", "first");
    const std::string file2 = MakeFile(std::string(40, 'g') + "/two.txt", "second");
    Activate(file1, file2);
    shell.result = platform::kShellFileNotFound;
    view.messageAnswers = {MessageButton::Ok};
    window.Compare1Click();
    EXPECT_EQ(view.errorBoxes, std::vector<std::string>{"Cannot start " + (temp / "windiff.exe") +
                                                        ": The file was not found."});
    EXPECT_EQ(view.messagesShown.size(), 1U);
    EXPECT_TRUE(view.plainMessages.empty());
    EXPECT_TRUE(window.State().Substituted);
    EXPECT_EQ(testing::ReadFile(Temporary(1)), "first");
}

// An end requested while a question is open answers it with the choice that
// does nothing, whatever the closed box returned: no program starts, no
// file is copied or deleted, and no further question comes.
TEST_F(CompareTest, AnEndRequestedDuringAQuestionStartsCopiesAndDeletesNothing) {
    const std::string file1 = MakeFile(std::string(40, 'f') + "/one.txt", "first");
    const std::string file2 = MakeFile(std::string(40, 'g') + "/two.txt", "second");
    const struct {
        const char* question;
        std::vector<MessageButton> answersBefore; // then the box closes as Cancel or OK
        std::size_t startsExpected;
    } cases[] = {
        {"names too long", {}, 0},
        {"clean-up", {MessageButton::Ok}, 1},
    };
    for (const auto& row : cases) {
        for (const MessageButton closedAs : {MessageButton::Cancel, MessageButton::Ok}) {
            SCOPED_TRACE(row.question);
            platform::RemoveFile(Temporary(1));
            platform::RemoveFile(Temporary(2));
            shell.requests.clear();
            view.messagesShown.clear();
            TTwinvane fresh{view, storage, shell};
            storage.stored = {"", file1, file2, temp / "windiff.exe", 2, true};
            fresh.FormActivate();
            view.messageAnswers = {row.answersBefore.begin(), row.answersBefore.end()};
            view.messageAnswers.push_back(closedAs);
            const std::size_t endAt = row.answersBefore.size() + 1;
            view.whileAsking = [&] {
                if (view.messagesShown.size() == endAt) {
                    fresh.RequestEnd();
                }
            };
            fresh.Compare1Click();
            fresh.Compare1Click();
            view.whileAsking = nullptr;

            EXPECT_EQ(view.messagesShown.size(), endAt);
            EXPECT_EQ(shell.requests.size(), row.startsExpected);
            EXPECT_EQ(platform::FileExists(Temporary(1)), row.startsExpected > 0);
            EXPECT_EQ(fresh.State().Substituted, row.startsExpected > 0);
            EXPECT_EQ(testing::ReadFile(file1), "first");
        }
    }
}

TEST_F(CompareTest, FolderAtATemporaryNameIsRefusedAndNothingMoves) {
    const std::string file1 = MakeFile(std::string(40, 'f') + "/one.txt", "first");
    const std::string file2 = MakeFile(std::string(40, 'g') + "/two.txt", "second");
    platform::PrepareTemporaryCopyFolder();
    std::filesystem::create_directory(Temporary(1));
    Activate(file1, file2);
    view.messageAnswers = {MessageButton::Ok};
    RunHandler(view, [&] { window.Compare1Click(); });
    std::filesystem::remove(Temporary(1));

    ASSERT_EQ(view.errorBoxes.size(), 1U);
    EXPECT_NE(view.errorBoxes[0].find(Temporary(1) + ", because a folder has that name"),
              std::string::npos);
    EXPECT_EQ(window.State().Stored.File1, file1);
    EXPECT_EQ(window.State().UserFile1, file1);
    EXPECT_FALSE(window.State().Substituted);
    EXPECT_TRUE(shell.requests.empty());
    EXPECT_FALSE(platform::FileExists(Temporary(2)));
}

} // namespace
} // namespace twinvane
