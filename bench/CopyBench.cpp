// SPDX-License-Identifier: MIT
// CopyFileTo against `dd bs=8192` (the same system calls: the floor) and
// `cp`, on one large file, median of several runs; then the peak memory of
// copying a small and a large file, each in a child process of its own.
#include "BenchSupport.h"
#include "fileutil/fileops.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

using twinvane::bench::Median;

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

void MakeFile(const std::string& path, std::uint64_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::vector<char> block(1 << 20);
    for (std::size_t i = 0; i < block.size(); ++i) {
        block[i] = static_cast<char>(i * 31 + 7);
    }
    for (std::uint64_t written = 0; written < size;) {
        const auto chunk =
            static_cast<std::streamsize>(std::min<std::uint64_t>(block.size(), size - written));
        out.write(block.data(), chunk);
        written += static_cast<std::uint64_t>(chunk);
    }
}

int Run(const std::vector<std::string>& argv) {
    const pid_t child = ::fork();
    if (child == 0) {
        std::vector<char*> args;
        for (const auto& a : argv) {
            args.push_back(const_cast<char*>(a.c_str()));
        }
        args.push_back(nullptr);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
}

double TimeOnce(const std::function<void()>& work, const std::string& target) {
    fs::remove(target);
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Peak resident memory, in KiB, of a child process that copies `source`.
long PeakMemoryOfCopy(const std::string& source, const std::string& target) {
    const pid_t child = ::fork();
    if (child == 0) {
        twinvane::CopyFileTo(source, target);
        ::_exit(0);
    }
    int status = 0;
    struct rusage usage {};
    ::wait4(child, &status, 0, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char* argv[]) {
    const std::uint64_t size = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : (1ULL << 30);
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    const fs::path folder =
        fs::temp_directory_path() / ("twinvane-copy-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string source = (folder / "source.bin").string();
    const std::string target = (folder / "target.bin").string();
    MakeFile(source, size);
    twinvane::CopyFileTo(source, target); // warm the cache for every contender alike

    // The contenders take turns, so that a busy moment of the machine falls
    // on all of them alike.
    std::vector<double> oursRuns, ddRuns, cpRuns;
    for (int i = 0; i < runs; ++i) {
        oursRuns.push_back(TimeOnce([&] { twinvane::CopyFileTo(source, target); }, target));
        ddRuns.push_back(TimeOnce(
            [&] {
                Run({"dd", "if=" + source, "of=" + target, "bs=8192", "status=none"});
            },
            target));
        cpRuns.push_back(TimeOnce([&] { Run({"cp", source, target}); }, target));
    }
    const double ours = Median(oursRuns);
    const double dd = Median(ddRuns);
    const double cp = Median(cpRuns);

    std::printf("copy of %.0f MiB, median of %d runs\n", static_cast<double>(size) / (1 << 20),
                runs);
    std::printf("  CopyFileTo      %8.3f s\n", ours);
    std::printf("  dd bs=8192      %8.3f s   CopyFileTo / dd = %.3f (goal <= 1.10)\n", dd,
                ours / dd);
    std::printf("  cp              %8.3f s   CopyFileTo / cp = %.3f\n", cp, ours / cp);

    const std::string small = (folder / "small.bin").string();
    MakeFile(small, 1 << 20);
    fs::remove(target);
    const long smallPeak = PeakMemoryOfCopy(small, target);
    fs::remove(target);
    const long largePeak = PeakMemoryOfCopy(source, target);
    std::printf("peak memory: 1 MiB copy %ld KiB, %.0f MiB copy %ld KiB, difference %ld KiB "
                "(goal < 1024)\n",
                smallPeak, static_cast<double>(size) / (1 << 20), largePeak, largePeak - smallPeak);
    fs::remove_all(folder);
    return 0;
}
