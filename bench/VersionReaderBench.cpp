// SPDX-License-Identifier: MIT
// version_reader_bench [FILE...]
// Files per second of the version-information reader over PE files (by
// default those of Debian's wine package), against `peres -v` (package pev)
// on the same files in the same run. Goal: at least 10 times faster per file.
// Also shown: twinvane-verinfo started once per file, the like of peres.
#include "about/TGetVersionInfoFromFile.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kGoal = 10.0;
constexpr const char* kWineFolder = "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows";

std::vector<std::string> WineFiles() {
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(kWineFolder, error)) {
        const std::string extension = entry.path().extension().string();
        if (entry.is_regular_file() && (extension == ".dll" || extension == ".exe")) {
            files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Runs `argv` with its output thrown away and waits for it; false when it
// could not be started or did not exit normally.
bool RunQuietly(const std::vector<std::string>& argv) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> args;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    pid_t child = 0;
    const int failed = posix_spawnp(&child, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return failed == 0 && waitpid(child, &status, 0) == child && WIFEXITED(status);
}

struct Measure {
    double filesPerSecond = 0;
    std::size_t files = 0;
};

// Repeats passes over all files until at least `least` has gone by.
template <typename Pass>
Measure Time(const std::vector<std::string>& files, Clock::duration least, Pass pass) {
    std::size_t done = 0;
    const auto start = Clock::now();
    Clock::duration elapsed{};
    do {
        for (const std::string& file : files) {
            pass(file);
        }
        done += files.size();
        elapsed = Clock::now() - start;
    } while (elapsed < least);
    return {done / std::chrono::duration<double>(elapsed).count(), done};
}

} // namespace

int main(int argc, char* argv[]) {
    std::vector<std::string> files(argv + 1, argv + argc);
    if (files.empty()) {
        files = WineFiles();
    }
    if (files.empty()) {
        std::fprintf(stderr, "No PE files: install Debian's wine package or name files.\n");
        return EXIT_FAILURE;
    }
    if (!RunQuietly({"peres", "-V"})) {
        std::fprintf(stderr, "peres was not found: install Debian's pev package.\n");
        return EXIT_FAILURE;
    }

    twinvane::TGetVersionInfoFromFile reader;
    std::size_t withBlock = 0;
    for (const std::string& file : files) { // also brings the files into the page cache
        reader.SetfileName(file);
        withBlock += reader.VersionStrings().Count() > 0 ? 1 : 0;
    }
    const Measure ours = Time(files, std::chrono::seconds(2),
                              [&reader](const std::string& file) { reader.SetfileName(file); });
    const Measure peres = Time(files, std::chrono::seconds(2), [](const std::string& file) {
        RunQuietly({"peres", "-v", file});
    });
    const Measure tool = Time(files, std::chrono::seconds(2), [](const std::string& file) {
        RunQuietly({TWINVANE_VERINFO_PATH, file});
    });

    const double ratio = ours.filesPerSecond / peres.filesPerSecond;
    std::printf("%zu PE files, %zu with a version block\n\n", files.size(), withBlock);
    std::printf("%-40s %12s %10s\n", "", "files/s", "vs peres");
    std::printf("%-40s %12.0f %9.1fx\n", "reader (TGetVersionInfoFromFile)", ours.filesPerSecond,
                ratio);
    std::printf("%-40s %12.0f %9.1fx\n", "twinvane-verinfo, one process per file",
                tool.filesPerSecond, tool.filesPerSecond / peres.filesPerSecond);
    std::printf("%-40s %12.0f %9.1fx\n", "peres -v, one process per file", peres.filesPerSecond,
                1.0);
    std::printf("\nGoal: the reader at least %.0fx faster per file than peres -v: %s\n", kGoal,
                ratio >= kGoal ? "met" : "MISSED");
    return ratio >= kGoal ? EXIT_SUCCESS : EXIT_FAILURE;
}
