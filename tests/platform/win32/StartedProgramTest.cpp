// SPDX-License-Identifier: MIT
// A started program has ended only when the process started and every
// process it started in turn have ended, and never sooner than three seconds
// after the start.
#include "platform/CommandLine.h"
#include "platform/ProcessHandle.h"
#include "platform/Shell.h"
#include "support/EnvGuard.h"
#include "support/Recording.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <thread>

namespace twinvane::platform {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Built beside the tests: RecordArgs.cpp, and HandOn.cpp, a launcher.
const std::string kRecorder = TWINVANE_RECORDER_PATH;
const std::string kHandOn = TWINVANE_HAND_ON_PATH;

// How long after `since` `condition` first held, polled every 50 ms for
// up to 20 seconds; nothing when it never did.
std::optional<Clock::duration> WhenTrue(const std::function<bool()>& condition,
                                        Clock::time_point since) {
    const auto deadline = Clock::now() + 20s;
    while (!condition()) {
        if (Clock::now() > deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(50ms);
    }
    return Clock::now() - since;
}

// Makes the file `path` when it goes, on every way out of a test.
struct MakeFileAtExit {
    std::string path;
    ~MakeFileAtExit() { testing::WriteFile(path, ""); }
};

ShellStart Start(const std::string& program, const std::string& parameters) {
    ShellRequest request;
    request.file = program;
    request.parameters = parameters;
    request.showCommand = kShow;
    return ExecuteAndFollow(request);
}

TEST(StartedProgramTest, AChildKeepsItRunningAfterItsLauncherHasEnded) {
    testing::TempFolder temp;
    const std::string record = temp / "record.txt";
    const std::string release = temp / "release";
    const std::string launcherId = temp / "launcher-id.txt";
    testing::EnvGuard recordFile{"TWINVANE_RECORD_FILE", record};
    testing::EnvGuard hold{"TWINVANE_RECORD_HOLD", release};
    const MakeFileAtExit releaseChild{release}; // the child waits for it

    const auto start = Clock::now();
    const ShellStart started =
        Start(kHandOn, QuoteArgument(launcherId) + ' ' + QuoteArgument(kRecorder));
    ASSERT_GT(started.result, 32);
    ASSERT_NE(started.program, nullptr);
    ASSERT_TRUE(testing::WaitForRecording(record)) << "the launcher's child did not start";
    ASSERT_TRUE(WhenTrue([&] { return std::filesystem::exists(launcherId); }, start));
    const auto launcher = std::stoull(testing::ReadFile(launcherId));
    ASSERT_TRUE(WhenTrue([&] { return !RunningProcess(launcher); }, start))
        << "the launcher did not end";

    std::this_thread::sleep_until(start + 3500ms); // past the shortest run
    EXPECT_FALSE(started.program->HasEnded()) << "the launcher's child still runs";

    testing::WriteFile(release, "");
    EXPECT_TRUE(WhenTrue([&] { return started.program->HasEnded(); }, start))
        << "the child has ended, and with it the program";
}

TEST(StartedProgramTest, AProgramThatEndsAtOnceEndsThreeSecondsAfterItsStart) {
    testing::TempFolder temp;
    const std::string record = temp / "record.txt";
    testing::EnvGuard recordFile{"TWINVANE_RECORD_FILE", record};
    testing::EnvGuard noHold{"TWINVANE_RECORD_HOLD", std::nullopt};

    const auto start = Clock::now();
    const ShellStart started = Start(kRecorder, "");
    ASSERT_GT(started.result, 32);
    ASSERT_NE(started.program, nullptr);
    const auto ended = WhenTrue([&] { return started.program->HasEnded(); }, start);
    ASSERT_TRUE(ended);
    EXPECT_GE(*ended, 3s);
    EXPECT_TRUE(testing::WaitForRecording(record)) << "the program did not run";
}

} // namespace
} // namespace twinvane::platform
