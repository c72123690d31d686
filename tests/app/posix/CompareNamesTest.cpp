// SPDX-License-Identifier: MIT
// Linux names that Windows forbids, and the private folder of the copies.
#include "app/CompareFixture.h"
#include "platform/ProcessHandle.h"
#include "support/Recording.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

namespace twinvane {
namespace {

class CompareNamesTest : public testing::RealShellCompareFixture {};

TEST_F(CompareNamesTest, QuotesTrailingBackslashesAndNonAsciiReachTheProgramExactly) {
    const std::string file1 = MakeFile("say \"hi\" \xC3\xA9t\xC3\xA9", "1");
    const std::string file2 = MakeFile("ends in \\", "2");
    storage.stored = {"", file1, file2, recorder, 2, true};
    realWindow.FormActivate();
    view.messageAnswers = {MessageButton::Cancel}; // keep the long names
    realWindow.Compare1Click();
    const auto recording = testing::WaitForRecording(recordFile);
    ASSERT_TRUE(recording);
    EXPECT_EQ(recording->arguments, (std::vector<std::string>{file1, file2}));
}

TEST_F(CompareNamesTest, PlainPathsKeepTheDesignsQuotingExactly) {
    const std::string file1 = MakeFile("one", "1");
    const std::string file2 = MakeFile("two", "2");
    storage.stored = {"", file1, file2, temp / "windiff.exe", 2, true};
    window.FormActivate();
    view.messageAnswers = {MessageButton::Cancel};
    window.Compare1Click();
    ASSERT_EQ(shell.requests.size(), 1U);
    EXPECT_EQ(shell.requests[0].parameters, "\"" + file1 + "\" \"" + file2 + "\"");
    EXPECT_EQ(shell.requests[0].directory, "/");
}

TEST_F(CompareNamesTest, PlantedLinkAtATemporaryNameIsReplacedNotFollowed) {
    const std::string victim = MakeFile("victim.txt", "precious");
    const std::string file1 = MakeFile(std::string(40, 'f') + "/one.txt", "first");
    const std::string file2 = MakeFile(std::string(40, 'g') + "/two.txt", "second");
    platform::PrepareTemporaryCopyFolder();
    std::filesystem::create_symlink(victim, Temporary(1));

    storage.stored = {"", file1, file2, temp / "windiff.exe", 2, false};
    window.FormActivate();
    view.messageAnswers = {MessageButton::Ok};
    window.Compare1Click();
    EXPECT_EQ(testing::ReadFile(victim), "precious");
    EXPECT_FALSE(std::filesystem::is_symlink(Temporary(1)));
    EXPECT_EQ(testing::ReadFile(Temporary(1)), "first");
}

TEST_F(CompareNamesTest, TemporaryFolderIsCreatedPrivate) {
    const std::string folder = platform::TemporaryCopyFolder();
    EXPECT_EQ(folder, runtime / "twinvane/");
    platform::PrepareTemporaryCopyFolder();
    struct stat st {};
    ASSERT_EQ(::lstat(folder.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0700U);
    EXPECT_EQ(st.st_uid, ::geteuid());
}

TEST_F(CompareNamesTest, UnsafeTemporaryFolderIsRefusedWithAClearError) {
    const std::string folder = runtime / "twinvane";
    std::filesystem::create_directory(folder);
    ::chmod(folder.c_str(), 0777);
    const std::string file1 = MakeFile(std::string(40, 'f') + "/one.txt", "first");
    const std::string file2 = MakeFile(std::string(40, 'g') + "/two.txt", "second");
    storage.stored = {"", file1, file2, temp / "windiff.exe", 2, true};
    window.FormActivate();
    view.messageAnswers = {MessageButton::Ok};
    try {
        window.Compare1Click();
        FAIL() << "no error raised";
    } catch (const Exception& error) {
        EXPECT_NE(error.Message().find(folder), std::string::npos);
        EXPECT_NE(error.Message().find("its mode is not 0700"), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(folder + "/TWVTemp1"));
    EXPECT_FALSE(window.State().Substituted);

    std::filesystem::remove(folder);
    std::filesystem::create_directory_symlink(temp.Path(), folder);
    EXPECT_THROW(platform::PrepareTemporaryCopyFolder(), Exception);
}

// A program that cannot run is named with the reason, and never handed to
// the desktop opener, which would drop the two files.
TEST_F(CompareNamesTest, ProgramThatCannotRunIsReportedWithTheReason) {
    const struct {
        mode_t mode;
        std::string reason;
    } cases[] = {
        {0644, "Access is denied; it may not be an executable program."},
        {0755, "It is not a valid program."}, // exec fails in the started child
    };
    const std::string file1 = MakeFile("one", "1");
    const std::string file2 = MakeFile("two", "2");
    for (const auto& row : cases) {
        const std::string program = temp / "windiff.exe";
        ASSERT_EQ(::chmod(program.c_str(), row.mode), 0);
        storage.stored = {"", file1, file2, program, 2, true};
        TTwinvane fresh{view, storage, platform::SystemShell()};
        fresh.FormActivate();
        view.messageAnswers = {MessageButton::Cancel}; // keep the long names
        fresh.Compare1Click();
        EXPECT_EQ(view.errorBoxes.back(), "Cannot start " + program + ": " + row.reason);
    }
    EXPECT_EQ(view.errorBoxes.size(), 2U);
}

// Copies another Twinvane still running waits for stay at a start, and stay
// in the record; those of a run that has ended go.
TEST_F(CompareNamesTest, AStartLeavesTheCopiesOfAnotherRunningTwinvane) {
    platform::PrepareTemporaryCopyFolder();
    testing::WriteFile(Temporary(1), "held");
    testing::WriteFile(Temporary(2), "left");
    const auto running = platform::RunningProcess(static_cast<std::uint64_t>(::getppid()));
    ASSERT_TRUE(running);
    const platform::ProcessToken ended{running->id, running->started + 1};
    const auto line = [](const platform::ProcessToken& owner, const std::string& path) {
        const auto identity = platform::IdentityOf(path).value();
        return std::to_string(owner.id) + ' ' + std::to_string(owner.started) + ' ' +
               std::to_string(identity.volume) + ' ' + std::to_string(identity.index) + ' ' + path +
               '\n';
    };
    const std::string record = platform::TemporaryCopyFolder() + "TWVTemp.del";
    testing::WriteFile(record, line(*running, Temporary(1)) + line(ended, Temporary(2)));

    window.FormActivate();
    EXPECT_TRUE(platform::FileExists(Temporary(1)));
    EXPECT_FALSE(platform::FileExists(Temporary(2)));
    EXPECT_EQ(testing::ReadFile(record), line(*running, Temporary(1)));
}

// A launcher hands the copies to the viewer it starts and exits at once:
// the copies stay for as long as the viewer runs, and go once it has ended.
TEST_F(CompareNamesTest, CopiesOutliveALauncherForAsLongAsTheProgramItStartedRuns) {
    const std::string launcher = temp / "launcher";
    testing::WriteFile(launcher, "#!/bin/sh\n\"" + recorder + "\" \"$@\" &\nexit 0\n");
    ASSERT_EQ(::chmod(launcher.c_str(), 0755), 0);
    const std::string release = temp / "release";
    testing::EnvGuard hold{"TWINVANE_RECORD_HOLD", release};
    storage.stored = {"",
                      MakeFile(std::string(40, 'f') + "/1", "one"),
                      MakeFile(std::string(40, 'g') + "/2", "two"),
                      launcher,
                      2,
                      true};
    realWindow.FormActivate();
    view.messageAnswers = {MessageButton::Ok, MessageButton::Ok};
    realWindow.Compare1Click();
    ASSERT_TRUE(testing::WaitForRecording(recordFile));

    // Well past the launcher's end and the time a handed-on program gets.
    const auto waitFor = [&](auto done, std::chrono::seconds limit) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (!done() && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            realWindow.PollPendingDeletion();
        }
    };
    waitFor([] { return false; }, std::chrono::seconds(4));
    EXPECT_EQ(testing::ReadFile(Temporary(1)), "one");
    EXPECT_EQ(testing::ReadFile(Temporary(2)), "two");

    testing::WriteFile(release, "");
    waitFor([&] { return !platform::FileExists(Temporary(2)); }, std::chrono::seconds(20));
    EXPECT_FALSE(platform::FileExists(Temporary(1)));
    EXPECT_FALSE(platform::FileExists(Temporary(2)));
}

TEST(TemporaryFolderTest, UnusableRuntimeFoldersFallBackToTmpWithTheUserId) {
    testing::TempFolder runtime;
    testing::WriteFile(runtime / "file", "");
    const std::string fallback = "/tmp/twinvane-" + std::to_string(::getuid()) + "/";
    // The fallback is the user's real folder: one this test made goes again.
    const bool fallbackExisted = std::filesystem::exists(fallback);
    const std::shared_ptr<void> removeMade(nullptr, [&](void*) {
        if (!fallbackExisted) {
            std::error_code ignored;
            std::filesystem::remove(fallback, ignored); // only when still empty
        }
    });
    const struct {
        std::optional<std::string> runtime;
        std::string folder;
    } cases[] = {
        {std::nullopt, fallback},
        {"relative/run", fallback},
        {(runtime / "missing"), fallback},
        {(runtime / "file"), fallback},
        {"/proc", fallback}, // not writable, even for root
        {"/" + (runtime / "") + "/", runtime / "twinvane/"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.runtime.value_or("unset"));
        testing::EnvGuard guard("XDG_RUNTIME_DIR", row.runtime);
        EXPECT_EQ(platform::TemporaryCopyFolder(), row.folder);
        EXPECT_NO_THROW(platform::PrepareTemporaryCopyFolder());
    }
}

} // namespace
} // namespace twinvane
