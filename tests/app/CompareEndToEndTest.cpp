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

// The program stays running until told; the copies must outlive the
// accepted clean-up for as long as it runs, and go once it has ended.
TEST_F(CompareEndToEndTest, LongPathsAreCopiedComparedAndCleanedUpOnceTheProgramEnds) {
    const std::string release = temp / "release";
    testing::EnvGuard hold{"TWINVANE_RECORD_HOLD", release};
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
    EXPECT_EQ(realWindow.State().Stored.File2, file2);
    realWindow.PollPendingDeletion();
    EXPECT_EQ(testing::ReadFile(Temporary(1)), "first");
    EXPECT_EQ(testing::ReadFile(Temporary(2)), "second");

    testing::WriteFile(release, "");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (platform::FileExists(Temporary(2)) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        realWindow.PollPendingDeletion();
    }
    EXPECT_FALSE(platform::FileExists(Temporary(1)));
    EXPECT_FALSE(platform::FileExists(Temporary(2)));
    EXPECT_EQ(testing::ReadFile(file1), "first");
}

TEST_F(CompareEndToEndTest, ShortPathsWithSpacesReachTheProgramExactly) {
    testing::CurrentFolderGuard inside(temp.Path());
    MakeFile("a b.txt", "1");
    MakeFile("c d.txt", "2");
    ActivateReal("a b.txt", "c d.txt");
    realWindow.Compare1Click();
    const auto recording = testing::WaitForRecording(recordFile);
    ASSERT_TRUE(recording);
    EXPECT_EQ(recording->arguments, (std::vector<std::string>{temp / "a b.txt", temp / "c d.txt"}));
    EXPECT_TRUE(view.messagesShown.empty());
}

} // namespace
} // namespace twinvane
