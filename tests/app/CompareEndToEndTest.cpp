// SPDX-License-Identifier: MIT
// The Compare command against the real shell, with the recording program
// standing in for the diff program.
#include "CompareFixture.h"
#include "support/Recording.h"

namespace twinvane {
namespace {

class CompareEndToEndTest : public testing::RealShellCompareFixture {
protected:
    void ActivateReal(const std::string& file1, const std::string& file2) {
        storage.stored.File1 = file1;
        storage.stored.File2 = file2;
        storage.stored.WinDiffPath = recorder;
        storage.stored.DeleteTemps = true;
        realWindow.FormActivate();
    }
};

TEST_F(CompareEndToEndTest, LongPathsAreCopiedComparedAndCleanedUp) {
    const std::string file1 = MakeFile(std::string(40, 'f') + "/first file.txt", "first");
    const std::string file2 = MakeFile(std::string(40, 'g') + "/second file.txt", "second");
    ActivateReal(file1, file2);
    view.messageAnswers = {MessageButton::Ok, MessageButton::Ok};
    realWindow.Compare1Click();

    const auto recording = testing::WaitForRecording(recordFile);
    ASSERT_TRUE(recording);
    EXPECT_EQ(recording->arguments, (std::vector<std::string>{Temporary(1), Temporary(2)}));
    EXPECT_EQ(std::filesystem::path(recording->folder),
              std::filesystem::path(platform::DiffProgramWorkingFolder()));
    // The clean-up was accepted: the copies are gone, the user's files stay.
    EXPECT_FALSE(platform::FileExists(Temporary(1)));
    EXPECT_FALSE(platform::FileExists(Temporary(2)));
    EXPECT_EQ(testing::ReadFile(file1), "first");
    EXPECT_EQ(realWindow.State().File2, file2);
}

TEST_F(CompareEndToEndTest, ShortPathsWithSpacesReachTheProgramExactly) {
    testing::CurrentFolderGuard inside(temp.Path());
    MakeFile("a b.txt", "1");
    MakeFile("c d.txt", "2");
    ActivateReal("a b.txt", "c d.txt");
    realWindow.Compare1Click();
    const auto recording = testing::WaitForRecording(recordFile);
    ASSERT_TRUE(recording);
    EXPECT_EQ(recording->arguments, (std::vector<std::string>{"a b.txt", "c d.txt"}));
    EXPECT_TRUE(view.messagesShown.empty());
}

} // namespace
} // namespace twinvane
