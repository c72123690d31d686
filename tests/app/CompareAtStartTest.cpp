// SPDX-License-Identifier: MIT
// A comparison asked for on the command line (a file manager's "compare
// with File 1"): what it leaves for the view, and what it stores.
#include "CompareFixture.h"

namespace twinvane {
namespace {

using Outcome = TTwinvane::StartOutcome;
using Program = testing::RecordingLauncher::Program;

struct StartCase {
    const char* name;
    bool file1Stored;
    bool longNames;
    bool programFound;
    std::deque<MessageButton> answers;
    Outcome outcome;
    std::size_t starts;

    friend void PrintTo(const StartCase& c, std::ostream* out) { *out << c.name; }
};

class CompareAtStartTest : public testing::CompareFixture,
                           public ::testing::WithParamInterface<StartCase> {};

TEST_P(CompareAtStartTest, ComparesWithTheStoredFile1AndSaysWhatIsLeft) {
    const StartCase& c = GetParam();
    const std::string folder = c.longNames ? std::string(40, 'd') + "/" : "";
    const std::string file1 = MakeFile(folder + "one.txt", "first");
    const std::string file2 = MakeFile("other/two.txt", "second");
    storage.stored.File1 = c.file1Stored ? file1 : "";
    storage.stored.File2 = "earlier.txt";
    storage.stored.WinDiffPath = c.programFound ? temp / "windiff.exe" : temp / "gone.exe";
    // The test's folder alone makes every name long: a program that takes
    // any path stands in for the short cases.
    storage.stored.ShortNames = c.longNames;
    view.messageAnswers = c.answers;
    shell.program = Program::Running;

    window.SetCommandLineFile2(file2);
    EXPECT_EQ(window.CompareAtStart(), c.outcome);
    EXPECT_EQ(shell.requests.size(), c.starts);
    EXPECT_TRUE(view.messageAnswers.empty()); // every question expected was asked
    EXPECT_EQ(window.State().UserFile2, file2);
    EXPECT_EQ(window.State().UserFile1, c.file1Stored ? file1 : "");
    // A started comparison is stored at once (copies kept stay in force, as
    // in the window): the program may wait hidden for a long time, and
    // another Twinvane may read the settings meanwhile.
    EXPECT_EQ(storage.stored.File2, c.starts > 0 ? window.State().Stored.File2 : "earlier.txt");

    // Waiting ends when the diff program does, and the copies go.
    EXPECT_EQ(window.WaitsForCleanUp(), c.outcome == Outcome::Wait);
    shell.program = Program::Ended;
    window.PollPendingDeletion();
    EXPECT_FALSE(window.WaitsForCleanUp());
    if (c.outcome == Outcome::Wait) {
        EXPECT_FALSE(platform::FileExists(Temporary(1)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Requests, CompareAtStartTest,
    ::testing::Values(
        StartCase{"ShortNamesStartTheProgramAndEnd", true, false, true, {}, Outcome::End, 1},
        StartCase{"NoFile1OpensTheWindow", false, false, true, {}, Outcome::ShowWindow, 0},
        StartCase{"NoProgramOpensTheWindowUnasked", true, true, false, {}, Outcome::ShowWindow, 0},
        StartCase{"AbortEnds", true, true, true, {MessageButton::Abort}, Outcome::End, 0},
        StartCase{"CopiesDueForDeletionWait",
                  true,
                  true,
                  true,
                  {MessageButton::Ok, MessageButton::Ok},
                  Outcome::Wait,
                  1},
        StartCase{"CopiesKeptEndAtOnce",
                  true,
                  true,
                  true,
                  {MessageButton::Ok, MessageButton::Cancel},
                  Outcome::End,
                  1}),
    [](const ::testing::TestParamInfo<StartCase>& info) { return info.param.name; });

} // namespace
} // namespace twinvane
