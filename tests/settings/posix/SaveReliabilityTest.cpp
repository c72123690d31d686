// SPDX-License-Identifier: MIT
// Saves from several processes at once, and saves cut short by SIGKILL:
// the settings file must always parse and hold one whole save.
#include "platform/posix/settings/RegeditFormat.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"
#include "support/EnvGuard.h"
#include "support/TempFolder.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace twinvane {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using testing::EnvGuard;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

constexpr int kWriters = 4;
constexpr int kSavesPerWriter = 200;
constexpr int kKilledSaves = 200;
constexpr int kKilledWriter = 9;

// Every value of save `save` of writer `writer` carries both numbers, so a
// file mixing two saves shows.
StoredSettings Tagged(int writer, int save) {
    const std::string tag = std::to_string(writer) + "." + std::to_string(save);
    return {"/install/" + tag, "/one/" + tag,        "/two/" + tag,
            "/windiff/" + tag, writer * 1000 + save, save % 2 == 0};
}

struct SaveId {
    int writer = -1;
    int save = -1;
};

// Loads the settings and names the single save they all come from; an
// empty id when nothing was saved yet. Raises on a file that does not
// parse; returns false in `whole` when the values do not belong together.
SaveId LoadedSave(bool& whole) {
    StoredSettings loaded;
    LoadSettings(loaded);
    whole = true;
    if (loaded.ActionSetting == StoredSettings{}.ActionSetting && loaded.File1.empty()) {
        return {};
    }
    const SaveId id{loaded.ActionSetting / 1000, loaded.ActionSetting % 1000};
    const StoredSettings expected = Tagged(id.writer, id.save);
    whole = loaded.InstallFolder == expected.InstallFolder && loaded.File1 == expected.File1 &&
            loaded.File2 == expected.File2 && loaded.WinDiffPath == expected.WinDiffPath &&
            loaded.DeleteTemps == expected.DeleteTemps;
    return id;
}

// Runs `work` in a child process; its exit status says whether it held.
pid_t Spawn(const std::function<bool()>& work) {
    std::cout.flush();
    const pid_t pid = ::fork();
    if (pid == 0) {
        bool held = false;
        try {
            held = work();
        } catch (const std::exception& error) {
            std::fprintf(stderr, "child %d: %s\n", static_cast<int>(::getpid()), error.what());
        }
        std::fflush(stderr);
        ::_exit(held ? 0 : 1);
    }
    return pid;
}

int WaitFor(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

class SaveReliabilityTest : public ::testing::Test {
protected:
    TempFolder temp;
    EnvGuard config{"XDG_CONFIG_HOME", temp / "config"};
    const fs::path folder = temp.Path() / "config/twinvane";

    // Only the file, its lock and a temporary file of an interrupted save
    // may be there: never a copy kept aside as unparseable.
    void ExpectNoBadCopy() const {
        for (const auto& entry : fs::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            EXPECT_TRUE(name == "registry.reg" || name == "registry.reg.lock" ||
                        name == "registry.reg.tmp")
                << name;
        }
    }

    void ExpectParses() const {
        EXPECT_NO_THROW(
            platform::posix::ParseRegedit(ReadFile((folder / "registry.reg").string())));
    }
};

TEST_F(SaveReliabilityTest, FourProcessesSavingAtOnceNeverMixOrLoseSaves) {
    const auto start = Clock::now();
    std::vector<pid_t> writers;
    for (int writer = 0; writer < kWriters; ++writer) {
        writers.push_back(Spawn([writer] {
            for (int save = 0; save < kSavesPerWriter; ++save) {
                SaveSettings(Tagged(writer, save));
                // A key of its own, counted up: a save that re-read a stale
                // file would set some other writer's count back.
                SettingsStore store("Software");
                store.WriteInteger("Varnook\\Reliability", "Writer " + std::to_string(writer),
                                   save + 1);
                store.Close();
            }
            return true;
        }));
    }
    // A reader alongside, loading until the writers are done.
    const std::string done = temp / "done";
    const std::string loadsFile = temp / "loads";
    const pid_t reader = Spawn([&] {
        long loads = 0;
        while (!fs::exists(done)) {
            bool whole = false;
            LoadedSave(whole);
            if (!whole) {
                std::fprintf(stderr, "load %ld saw values of different saves\n", loads);
                return false;
            }
            ++loads;
        }
        WriteFile(loadsFile, std::to_string(loads));
        return true;
    });

    for (const pid_t pid : writers) {
        const int status = WaitFor(pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "writer status " << status;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    WriteFile(done, "");
    const int readerStatus = WaitFor(reader);
    EXPECT_TRUE(WIFEXITED(readerStatus) && WEXITSTATUS(readerStatus) == 0);

    ExpectParses();
    ExpectNoBadCopy();
    bool whole = false;
    const SaveId last = LoadedSave(whole);
    EXPECT_TRUE(whole);
    EXPECT_EQ(last.save, kSavesPerWriter - 1);
    SettingsStore store("Software");
    for (int writer = 0; writer < kWriters; ++writer) {
        EXPECT_EQ(store.ReadInteger("Varnook\\Reliability", "Writer " + std::to_string(writer), 0),
                  kSavesPerWriter)
            << "writer " << writer;
    }
    const std::string loads = ReadFile(loadsFile);
    std::cout << "[ figures  ] " << kWriters << " processes x " << kSavesPerWriter
              << " saves (each followed by a counter save): " << seconds << " s, "
              << 2 * kWriters * kSavesPerWriter / seconds << " commits/s; " << loads
              << " loads checked alongside\n";
    RecordProperty("seconds", std::to_string(seconds));
    RecordProperty("loads", loads);
}

TEST_F(SaveReliabilityTest, SaverKilledAtRandomMomentsLeavesOneWholeSave) {
    // The kill window follows how long a save takes on this machine.
    const auto calibrationStart = Clock::now();
    constexpr int kCalibrationSaves = 10;
    for (int save = 0; save < kCalibrationSaves; ++save) {
        SaveSettings(Tagged(0, save));
    }
    const auto saveTime = (Clock::now() - calibrationStart) / kCalibrationSaves;
    auto window = std::chrono::duration_cast<std::chrono::microseconds>(saveTime * 3);

    std::mt19937 random(std::random_device{}());
    const auto start = Clock::now();
    int next = 0;
    int kills = 0;
    int killsMidWrite = 0;
    fs::file_time_type lastTemporary{};
    int rounds = 0;
    while (next < kKilledSaves) {
        ++rounds;
        const int from = next;
        const pid_t pid = Spawn([from] {
            for (int save = from; save < kKilledSaves; ++save) {
                SaveSettings(Tagged(kKilledWriter, save));
            }
            return true;
        });
        std::this_thread::sleep_for(
            std::chrono::microseconds(random() % static_cast<unsigned>(window.count() + 1)));
        ::kill(pid, SIGKILL);
        const int status = WaitFor(pid);
        if (WIFSIGNALED(status)) {
            ++kills;
            // A temporary file newer than the last one seen was being
            // written when the kill came.
            std::error_code missing;
            const auto written = fs::last_write_time(folder / "registry.reg.tmp", missing);
            if (!missing && written != lastTemporary) {
                ++killsMidWrite;
                lastTemporary = written;
            }
        } else {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
        }

        ExpectParses();
        bool whole = false;
        const SaveId id = LoadedSave(whole);
        ASSERT_TRUE(whole) << "after round " << rounds;
        if (id.writer == kKilledWriter) {
            ASSERT_GE(id.save, from - 1);
            next = id.save + 1;
        }
        // The window keeps to a few saves per round: wider after a round
        // that saved nothing, so that the test ends on a busy machine too,
        // narrower after one that saved many, so that kills keep coming.
        const int progress = next - from;
        if (progress == 0) {
            window = window * 5 / 4;
        } else if (progress > 4) {
            window = window * 3 / progress;
        }
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    ExpectNoBadCopy();
    // The lock of a killed saver is gone with it.
    EXPECT_NO_THROW(SaveSettings(Tagged(0, 0)));

    EXPECT_GE(kills, 20);
    std::cout << "[ figures  ] " << kKilledSaves << " saves, " << rounds << " rounds, " << kills
              << " SIGKILLs (" << killsMidWrite << " during the write of the temporary file), "
              << "mean save " << std::chrono::duration<double, std::milli>(saveTime).count()
              << " ms, " << seconds << " s\n";
    RecordProperty("kills", kills);
    RecordProperty("seconds", std::to_string(seconds));
}

} // namespace
} // namespace twinvane
