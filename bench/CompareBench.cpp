// SPDX-License-Identifier: MIT
// The Compare command from the click to the diff program running (a
// recording program stands in for it), against starting that program
// directly through the shell; then with two 100 MiB files that need
// temporary copies, against `cp` of both files and the same direct start.
#include "BenchSupport.h"
#include "app/FakeMainView.h"
#include "app/TTwinvane.h"
#include "platform/DesktopPlaces.h"
#include "platform/FileSystem.h"
#include "platform/PathSyntax.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

using twinvane::bench::Median;

namespace fs = std::filesystem;
using namespace twinvane;

const std::string kRecorder = TWINVANE_RECORDER_PATH;

// A diff program that never starts must end the run with a message, not hang it.
constexpr auto kStartLimit = std::chrono::seconds(30);

void WaitFor(const std::string& path) {
    const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
    while (!fs::exists(path)) {
        if (std::chrono::steady_clock::now() > deadline) {
            throw std::runtime_error("the recording program did not write " + path + " within " +
                                     std::to_string(kStartLimit.count()) + " s");
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}

// Milliseconds from `start` until the recording program has written `record`.
double TimeToRunning(const std::string& record, const std::function<void()>& start) {
    fs::remove(record);
    const auto begin = std::chrono::steady_clock::now();
    start();
    WaitFor(record);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin)
        .count();
}

void MakeFile(const std::string& path, std::size_t size) {
    std::ofstream out(path, std::ios::binary);
    const std::string block(1 << 20, 'x');
    for (std::size_t written = 0; written < size; written += block.size()) {
        out.write(block.data(), static_cast<std::streamsize>(block.size()));
    }
}

void StartDirectly(const std::string& file1, const std::string& file2) {
    platform::ShellRequest request;
    request.file = kRecorder;
    request.parameters = platform::QuotePath(file1) + " " + platform::QuotePath(file2);
    request.directory = platform::DiffProgramWorkingFolder();
    platform::ExecuteWithShell(request);
}

void Copy(const std::string& from, const std::string& to) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::execlp("cp", "cp", from.c_str(), to.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
}

} // namespace

int main(int argc, char* argv[]) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 15;
    const fs::path folder =
        fs::temp_directory_path() / ("twinvane-compare-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder / std::string(40, 'l'));
    const std::string record = (folder / "record.txt").string();
    ::setenv("TWINVANE_RECORD_FILE", record.c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);

    try {
        testing::FakeMainView view;
        testing::FakeSettingsStorage storage;
        TTwinvane window(view, storage, platform::SystemShell());

        // Relative names keep the paths short, whatever the temporary folder.
        fs::current_path(folder);
        const std::string short1 = "a";
        const std::string short2 = "b";
        MakeFile(short1, 1 << 20);
        MakeFile(short2, 1 << 20);
        storage.stored = {"", short1, short2, kRecorder, 2, false};
        window.FormActivate();

        std::vector<double> compare, direct;
        for (int i = 0; i < runs; ++i) {
            compare.push_back(TimeToRunning(record, [&] { window.Compare1Click(); }));
            direct.push_back(TimeToRunning(record, [&] { StartDirectly(short1, short2); }));
        }
        std::printf("Compare, short paths, to the diff program running: median of %d runs\n", runs);
        std::printf("  Compare1Click   %8.2f ms\n", Median(compare));
        std::printf("  direct start    %8.2f ms   ratio %.3f\n", Median(direct),
                    Median(compare) / Median(direct));

        const std::string long1 = (folder / std::string(40, 'l') / "first.bin").string();
        const std::string long2 = (folder / std::string(40, 'l') / "second.bin").string();
        MakeFile(long1, 100 << 20);
        MakeFile(long2, 100 << 20);
        const std::string temporary1 = platform::TemporaryCopyFolder() + "TWVTemp1";
        const std::string temporary2 = platform::TemporaryCopyFolder() + "TWVTemp2";
        const int copyRuns = std::max(3, runs / 3);
        std::vector<double> copied, baseline;
        for (int i = 0; i < copyRuns; ++i) {
            // Each round starts from the user's names with no copies in place.
            TTwinvane fresh(view, storage, platform::SystemShell());
            storage.stored = {"", long1, long2, kRecorder, 2, false};
            fresh.FormActivate();
            platform::RemoveFile(temporary1);
            platform::RemoveFile(temporary2);
            view.messageAnswers = {MessageButton::Ok};
            copied.push_back(TimeToRunning(record, [&] { fresh.Compare1Click(); }));
            platform::RemoveFile(temporary1);
            platform::RemoveFile(temporary2);
            baseline.push_back(TimeToRunning(record, [&] {
                Copy(long1, temporary1);
                Copy(long2, temporary2);
                StartDirectly(temporary1, temporary2);
            }));
        }
        std::printf("Compare, two 100 MiB files copied first: median of %d runs\n", copyRuns);
        std::printf("  Compare1Click   %8.2f ms\n", Median(copied));
        std::printf("  cp + start      %8.2f ms   ratio %.3f\n", Median(baseline),
                    Median(copied) / Median(baseline));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "CompareBench: %s\n", error.what());
        fs::remove_all(folder);
        return 1;
    }
    fs::remove_all(folder);
    return 0;
}
