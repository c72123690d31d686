// SPDX-License-Identifier: MIT
#include "fileutil/fileops.h"
#include "platform/CommandLine.h"
#include "support/Recording.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace twinvane {
namespace {

using testing::TempFolder;
using testing::WaitForRecording;

// Built beside the tests; see RecordArgs.cpp.
const std::string kRecorder = TWINVANE_RECORDER_PATH;

TEST(StartWithShellTest, StartsAProgramInTheFolderWithItsArgumentsAndDoesNotWait) {
    TempFolder temp;
    const int result =
        StartWithShell(kRecorder, R"("first file" second)", temp.Path().string(), platform::kShow);
    EXPECT_GT(result, 32);
    const auto recording = WaitForRecording(temp / "record.txt");
    ASSERT_TRUE(recording);
    EXPECT_EQ(std::filesystem::path(recording->folder), temp.Path());
    EXPECT_EQ(recording->arguments, (std::vector<std::string>{"first file", "second"}));
}

TEST(StartWithShellTest, EmptyParametersGiveNoArguments) {
    TempFolder temp;
    EXPECT_GT(StartWithShell(kRecorder, "", temp.Path().string(), platform::kShow), 32);
    const auto recording = WaitForRecording(temp / "record.txt");
    ASSERT_TRUE(recording);
    EXPECT_TRUE(recording->arguments.empty());
}

TEST(StartWithShellTest, QuotedArgumentsArriveExactlyWhateverTheirLength) {
    TempFolder temp;
    const std::vector<std::string> arguments = {std::string(300, 'x'), "with space",
                                                R"(back\slash)", R"(trailing\)", R"(quo"te)"};
    std::string params;
    for (const auto& argument : arguments) {
        params += platform::QuoteArgument(argument) + " ";
    }
    ASSERT_GT(params.size(), 79U);
    EXPECT_GT(StartWithShell(kRecorder, params, temp.Path().string(), platform::kShow), 32);
    const auto recording = WaitForRecording(temp / "record.txt");
    ASSERT_TRUE(recording);
    EXPECT_EQ(recording->arguments, arguments);
}

TEST(StartWithShellTest, MissingProgramFailsWithACodeOfAtMost32) {
    TempFolder temp;
    const std::string missing = temp / "no-such-program.exe";
    EXPECT_LE(StartWithShell(missing, "", temp.Path().string(), platform::kShow), 32);
    const auto followed = StartWithShellFollowed(missing, "a b", temp.Path().string(),
                                                 platform::kShow, 0, platform::SystemShell());
    EXPECT_LE(followed.result, 32);
    EXPECT_EQ(followed.program, nullptr);
}

} // namespace
} // namespace twinvane
