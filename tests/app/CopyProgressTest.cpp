// SPDX-License-Identifier: MIT
#include "CompareFixture.h"
#include "app/CopyJob.h"
#include "app/StandardError.h"
#include "platform/DeletionRecord.h"

#include <chrono>
#include <filesystem>
#include <thread>

namespace twinvane {
namespace {

using namespace std::chrono_literals;

TEST(CopyProgressRuleTest, ShowsAfterHalfASecondWithTheShareCopied) {
    EXPECT_FALSE(CopyProgressDue(0ms));
    EXPECT_FALSE(CopyProgressDue(499ms));
    EXPECT_TRUE(CopyProgressDue(500ms));
    EXPECT_TRUE(CopyProgressDue(3s));

    const struct {
        std::uint64_t copied;
        std::uint64_t total;
        double fraction;
    } rows[] = {
        {0, 0, 0.0},      // nothing to copy: no division by zero
        {0, 400, 0.0},    //
        {100, 400, 0.25}, //
        {400, 400, 1.0},  //
        {900, 400, 1.0},  // a file that grew while copied
    };
    for (const auto& row : rows) {
        EXPECT_DOUBLE_EQ(CopyFraction(row.copied, row.total), row.fraction)
            << row.copied << " of " << row.total;
    }
}

constexpr std::uint64_t kLargeSize = 256U << 20;

class CopyProgressTest : public testing::CompareFixture {
protected:
    // Two files whose paths are too long together; the one numbered `large`
    // (1 or 2; 0 for neither) is big enough that its copy is still running
    // when cancelled.
    void StartWithLongNames(int large) {
        file1 = MakeFile(std::string(40, 'f') + "/one.txt", "first");
        file2 = MakeFile(std::string(40, 'g') + "/two.txt", "second");
        if (large != 0) {
            // Sparse where the file system allows: quick to make, slow to copy.
            std::filesystem::resize_file(large == 1 ? file1 : file2, kLargeSize);
        }
        Activate(file1, file2);
    }

    // Cancels once the copy to the temporary name `large` is under way.
    void CancelPartWay(int large) {
        view.whileCopying = [this, large](CopyProgress& copies) {
            while (!copies.Finished() &&
                   !(copies.Fraction() > 0 && platform::FileExists(Temporary(large)))) {
                std::this_thread::yield();
            }
            partialSeen = !copies.Finished() && platform::FileExists(Temporary(large));
            copies.Cancel();
        };
    }

    void ExpectCancelLeavesEverythingAsAbortWould(int large) {
        StartWithLongNames(large);
        const ComparisonState before = window.State();
        CancelPartWay(large);
        view.messageAnswers = {MessageButton::Ok};
        RunHandler(view, [&] { window.Compare1Click(); });

        EXPECT_TRUE(partialSeen);
        EXPECT_EQ(view.copyWaits, 1);
        EXPECT_FALSE(platform::FileExists(Temporary(1)));
        EXPECT_FALSE(platform::FileExists(Temporary(2)));
        EXPECT_TRUE(shell.requests.empty());
        EXPECT_TRUE(view.errorBoxes.empty());
        EXPECT_TRUE(view.plainMessages.empty());
        EXPECT_EQ(view.messagesShown.size(), 1U);
        EXPECT_EQ(view.panels[2].rfind("NAMES TOO LONG", 0), 0U);
        EXPECT_EQ(window.State().Stored.File1, before.Stored.File1);
        EXPECT_EQ(window.State().Stored.File2, before.Stored.File2);
        EXPECT_EQ(window.State().UserFile1, before.UserFile1);
        EXPECT_EQ(window.State().UserFile2, before.UserFile2);
        EXPECT_FALSE(window.State().Substituted);
        EXPECT_EQ(platform::FileSizeOf(large == 1 ? file1 : file2), kLargeSize);
        EXPECT_EQ(testing::ReadFile(large == 1 ? file2 : file1), large == 1 ? "second" : "first");
    }

    std::string file1;
    std::string file2;
    bool partialSeen = false;
};

TEST_F(CopyProgressTest, CancelDuringTheFirstCopyLeavesEverythingAsAbortWould) {
    ExpectCancelLeavesEverythingAsAbortWould(1);
}

// The first copy, already whole, goes too.
TEST_F(CopyProgressTest, CancelDuringTheSecondCopyLeavesEverythingAsAbortWould) {
    ExpectCancelLeavesEverythingAsAbortWould(2);
}

TEST_F(CopyProgressTest, CancelForgetsEarlierCopiesWaitingForDeletionThatAreNowGone) {
    StartWithLongNames(2);
    // An earlier comparison's copies wait for its diff program to end.
    shell.program = testing::RecordingLauncher::Program::Running;
    view.messageAnswers = {MessageButton::Ok, MessageButton::Ok};
    window.Compare1Click();
    ASSERT_NE(platform::ReadDeletionRecord(1 << 20).text.find("TWVTemp2"), std::string::npos);

    CancelPartWay(2);
    view.messageAnswers = {MessageButton::Ok};
    window.Compare1Click();
    EXPECT_TRUE(partialSeen);
    EXPECT_FALSE(platform::FileExists(Temporary(1)));
    EXPECT_FALSE(platform::FileExists(Temporary(2)));
    EXPECT_EQ(platform::ReadDeletionRecord(1 << 20).text.find("TWVTemp"), std::string::npos);
    EXPECT_EQ(shell.requests.size(), 1U);
    EXPECT_EQ(window.State().Stored.File2, file2);
}

TEST_F(CopyProgressTest, AnEndRequestedWhileCopyingLeavesNoCopyAndStartsNothing) {
    StartWithLongNames(1);
    view.whileCopying = [this](CopyProgress&) {
        window.RequestEnd();
    };
    view.messageAnswers = {MessageButton::Ok};
    window.Compare1Click();
    EXPECT_FALSE(platform::FileExists(Temporary(1)));
    EXPECT_FALSE(platform::FileExists(Temporary(2)));
    EXPECT_TRUE(shell.requests.empty());
    EXPECT_FALSE(window.State().Substituted);
}

TEST_F(CopyProgressTest, CopiesThatFinishAreComparedAsBefore) {
    StartWithLongNames(0);
    view.messageAnswers = {MessageButton::Ok, MessageButton::Cancel};
    double seen = -1;
    view.whileCopying = [&](CopyProgress& copies) {
        while (!copies.Finished()) {
            std::this_thread::yield();
        }
        seen = copies.Fraction();
        EXPECT_FALSE(copies.ShowDue()); // nothing left to show
    };
    window.Compare1Click();
    EXPECT_DOUBLE_EQ(seen, 1.0);
    EXPECT_EQ(view.copyWaits, 1);
    EXPECT_EQ(testing::ReadFile(Temporary(1)), "first");
    EXPECT_EQ(testing::ReadFile(Temporary(2)), "second");
    EXPECT_TRUE(window.State().Substituted);
    EXPECT_EQ(window.State().Stored.File1, Temporary(1));
    EXPECT_EQ(window.State().UserFile2, file2);
    ASSERT_EQ(shell.requests.size(), 1U);
}

} // namespace
} // namespace twinvane
