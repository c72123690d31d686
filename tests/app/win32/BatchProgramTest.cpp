// SPDX-License-Identifier: MIT
// A batch file as the diff program: a name its command interpreter would
// alter never reaches it; the short temporary copies are offered instead.
#include "app/CompareFixture.h"

namespace twinvane {
namespace {

class BatchProgramTest : public testing::CompareFixture {};

TEST_F(BatchProgramTest, NamesTheInterpreterWouldAlterAreReplacedByCopiesOrNotPassed) {
    // Short relative names, so that the length question stays away.
    const testing::CurrentFolderGuard inside(temp.Path());
    const std::string file1 = "%OS%.txt";
    const std::string file2 = "plain.txt";
    MakeFile(file1, "first");
    MakeFile(file2, "second");
    testing::WriteFile(temp / "diff.CMD", "@echo off");
    for (const MessageButton answer : {MessageButton::Cancel, MessageButton::Ok}) {
        shell.requests.clear();
        view.messagesShown.clear();
        TTwinvane fresh{view, storage, shell};
        storage.stored = {"", file1, file2, temp / "diff.CMD", 2, false};
        fresh.FormActivate();
        view.messageAnswers = {answer};
        fresh.Compare1Click();

        ASSERT_EQ(view.messagesShown.size(), 1U);
        EXPECT_NE(view.messagesShown[0].text.find("\"%\" in " + file1), std::string::npos);
        if (answer == MessageButton::Cancel) {
            EXPECT_TRUE(shell.requests.empty());
        } else {
            ASSERT_EQ(shell.requests.size(), 1U);
            EXPECT_EQ(shell.requests[0].parameters, "\"C:\\TWVTemp1\" \"C:\\TWVTemp2\"");
            EXPECT_EQ(testing::ReadFile(Temporary(1)), "first");
        }
    }
    // The same names go to a program that is not a batch file unchanged.
    storage.stored.WinDiffPath = temp / "windiff.exe";
    TTwinvane direct{view, storage, shell};
    direct.FormActivate();
    direct.Compare1Click();
    EXPECT_EQ(shell.requests.back().parameters,
              "\"" + (temp / file1) + "\" \"" + (temp / file2) + "\"");
}

} // namespace
} // namespace twinvane
