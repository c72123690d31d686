// SPDX-License-Identifier: MIT
// The folder of the copies as another user of the machine may prepare it
// before Twinvane first runs: nothing in it is read, written or deleted
// unless it is a private folder of the user's, and the user is told why.
#include "app/CompareFixture.h"
#include "app/StandardError.h"
#include "support/posix/SecondUser.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

namespace twinvane {
namespace {

class SharedFolderTest : public testing::CompareFixture {
protected:
    // A record line that an ended Twinvane left for `path`.
    static std::string LineFor(const std::string& path) {
        const auto identity = platform::IdentityOf(path).value();
        return "1 1 " + std::to_string(identity.volume) + ' ' + std::to_string(identity.index) +
               ' ' + path + '\n';
    }

    // A copy and a record that would have it deleted, in `folder`.
    static bool PlantCopyAndRecord(const std::string& folder) {
        testing::WriteFile(folder + "/TWVTemp1", "planted");
        testing::WriteFile(folder + "/TWVTemp.del", LineFor(folder + "/TWVTemp1"));
        return testing::ReadFile(folder + "/TWVTemp1") == "planted";
    }

    const std::string folder = runtime / "twinvane";
    const std::string victim = runtime / "victim.txt";
};

TEST_F(SharedFolderTest, AnUntrustedFolderOrRecordIsReportedAndLeftAlone) {
    std::string noSecondUser;
    const auto adversary = testing::SecondUser(noSecondUser);
    const struct {
        const char* name;
        std::function<void()> plant;
        const char* why;
    } cases[] = {
        {"another user's folder",
         [&] {
             std::filesystem::permissions(runtime.Path(), std::filesystem::perms::all);
             ASSERT_TRUE(testing::RunAs(*adversary, [&] {
                 return ::mkdir(folder.c_str(), 0777) == 0 && ::chmod(folder.c_str(), 0777) == 0 &&
                        PlantCopyAndRecord(folder);
             }));
         },
         "it belongs to another user"},
        {"a folder others may write to",
         [&] {
             ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
             ASSERT_EQ(::chmod(folder.c_str(), 0777), 0);
             ASSERT_TRUE(PlantCopyAndRecord(folder));
         },
         "others may use it"},
        {"a link to a private folder",
         [&] {
             ASSERT_EQ(::mkdir((runtime / "real").c_str(), 0700), 0);
             ASSERT_TRUE(PlantCopyAndRecord(runtime / "real"));
             std::filesystem::create_directory_symlink(runtime / "real", folder);
         },
         "it is a symbolic link"},
        {"a FIFO as the record",
         [&] {
             ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
             ASSERT_EQ(::mkfifo((folder + "/TWVTemp.del").c_str(), 0600), 0);
         },
         "it is not a regular file"},
        {"a link to the user's file as the record",
         [&] {
             ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
             std::filesystem::create_symlink(victim, folder + "/TWVTemp.del");
         },
         "it is a symbolic link"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        if (!adversary && row.name == cases[0].name) {
            std::cerr << "Skipped \"" << row.name << "\": " << noSecondUser << '\n';
            continue;
        }
        std::filesystem::remove_all(folder);
        std::filesystem::remove_all(runtime / "real");
        testing::WriteFile(victim, "mine");
        row.plant();
        const bool plainRecord = std::filesystem::is_regular_file(
            std::filesystem::symlink_status(folder + "/TWVTemp.del"));
        const std::string record = plainRecord ? testing::ReadFile(folder + "/TWVTemp.del") : "";

        TTwinvane fresh{view, storage, shell};
        view.errorBoxes.clear();
        storage.stored = {"",
                          MakeFile(std::string(40, 'f') + "/1", "one"),
                          MakeFile(std::string(40, 'g') + "/2", "two"),
                          temp / "windiff.exe",
                          2,
                          true};
        fresh.FormActivate();
        ASSERT_FALSE(view.errorBoxes.empty());
        EXPECT_NE(view.errorBoxes[0].find(row.why), std::string::npos) << view.errorBoxes[0];
        EXPECT_NE(view.errorBoxes[0].find(folder), std::string::npos) << view.errorBoxes[0];

        // A comparison with copies and an accepted clean-up writes nothing
        // through what was planted.
        shell.program = testing::RecordingLauncher::Program::Running;
        view.messageAnswers = {MessageButton::Ok, MessageButton::Ok};
        RunHandler(view, [&] { fresh.Compare1Click(); });
        view.messageAnswers.clear();
        EXPECT_EQ(testing::ReadFile(victim), "mine");
        if (plainRecord) {
            EXPECT_EQ(testing::ReadFile(folder + "/TWVTemp.del"), record);
            EXPECT_EQ(testing::ReadFile(folder + "/TWVTemp1"), "planted");
            EXPECT_FALSE(std::filesystem::exists(folder + "/TWVTemp2"));
        }
        std::filesystem::remove_all(folder);
    }
}

} // namespace
} // namespace twinvane
