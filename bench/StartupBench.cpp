// SPDX-License-Identifier: MIT
// Process start to the main window shown with its settings loaded and the
// readiness check done, against a bare Qt window with the same widgets, on
// the offscreen platform; median of many alternating runs, as a ratio.
#include "BenchSupport.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using twinvane::bench::Median;

namespace fs = std::filesystem;

double TimeProbe(const std::string& probe, const char* mode) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        const int quiet = ::open("/dev/null", O_WRONLY);
        ::dup2(quiet, STDERR_FILENO);
        ::execl(probe.c_str(), probe.c_str(), mode, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "probe %s failed (status %d)\n", mode, status);
        std::exit(1);
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

} // namespace

int main(int argc, char* argv[]) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 15;
    const std::string probe = (fs::path(argv[0]).parent_path() / "startup_probe").string();
    // Settings of their own, naming files that exist, so the readiness check
    // does its full work and the user's own settings stay untouched.
    const fs::path config =
        fs::temp_directory_path() / ("twinvane-startup-" + std::to_string(::getpid()));
    fs::create_directories(config / "twinvane");
    const std::string self = fs::canonical("/proc/self/exe").string();
    std::ofstream(config / "twinvane" / "registry.reg")
        << "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Varnook\\Twinvane]\n"
        << "\"File 1\"=\"" << self << "\"\n\"File 2\"=\"" << self << "\"\n\"WD Loc\"=\"" << self
        << "\"\n";
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);

    TimeProbe(probe, "bare"); // load the libraries into the cache for both alike
    std::vector<double> ours;
    std::vector<double> bare;
    for (int i = 0; i < runs; ++i) {
        ours.push_back(TimeProbe(probe, "twinvane"));
        bare.push_back(TimeProbe(probe, "bare"));
    }
    fs::remove_all(config);
    const double a = Median(ours);
    const double b = Median(bare);
    std::printf("start-up to window ready, median of %d runs (offscreen)\n", runs);
    std::printf("  Twinvane    %8.1f ms\n", a);
    std::printf("  bare window %8.1f ms   ratio %.3f (goal <= 1.25)\n", b, a / b);
    return 0;
}
