// SPDX-License-Identifier: MIT
#include "Spawn.h"

#include "UniqueFd.h"
#include "platform/Shell.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <linux/close_range.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>

namespace twinvane::platform::posix {
namespace {

// What the grandchild reports through the pipe when it could not start.
struct StartFailure {
    int stage; // 1: the working folder, 2: the program
    int error;
};

constexpr int kStageFolder = 1;

int ResultFor(const StartFailure& failure) {
    switch (failure.error) {
    case EACCES:
    case EPERM:
        return kShellAccessDenied;
    case ENOEXEC:
        return kShellNoAssociation;
    case ENOENT:
    case ENOTDIR:
        return failure.stage == kStageFolder ? kShellPathNotFound : kShellFileNotFound;
    default:
        return kShellAccessDenied;
    }
}

// Runs in the forked children: only async-signal-safe calls from here on.
[[noreturn]] void Report(int fd, int stage) {
    const StartFailure failure{stage, errno};
    [[maybe_unused]] auto written = ::write(fd, &failure, sizeof failure);
    ::_exit(127);
}

[[noreturn]] void RunGrandchild(int reportFd, const char* program, char* const* argv,
                                const char* folder) {
    sigset_t all;
    sigemptyset(&all);
    ::sigprocmask(SIG_SETMASK, &all, nullptr);
    // Nothing of Twinvane's open files may leak into the started program.
    ::syscall(SYS_close_range, 3U, ~0U, CLOSE_RANGE_CLOEXEC);
    if (folder != nullptr && ::chdir(folder) != 0) {
        Report(reportFd, kStageFolder);
    }
    ::execv(program, argv);
    Report(reportFd, 2);
}

} // namespace

int SpawnDetached(const std::string& program, const std::vector<std::string>& arguments,
                  const std::optional<std::string>& folder) {
    // Everything the children need is prepared here: after fork() they may
    // not allocate.
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const auto& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const char* workingFolder = folder && !folder->empty() ? folder->c_str() : nullptr;

    std::array<int, 2> fds{};
    if (::pipe2(fds.data(), O_CLOEXEC) != 0) {
        return kShellAccessDenied;
    }
    UniqueFd readEnd(fds[0]);
    UniqueFd writeEnd(fds[1]);

    const pid_t child = ::fork();
    if (child < 0) {
        return kShellAccessDenied;
    }
    if (child == 0) {
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild == 0) {
            RunGrandchild(writeEnd.Get(), program.c_str(), argv.data(), workingFolder);
        }
        ::_exit(grandchild < 0 ? 1 : 0);
    }
    writeEnd.Reset();
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    // The pipe closes on a successful exec; a failure arrives as a report.
    StartFailure failure{};
    ssize_t got = 0;
    do {
        got = ::read(readEnd.Get(), &failure, sizeof failure);
    } while (got < 0 && errno == EINTR);
    if (got == static_cast<ssize_t>(sizeof failure)) {
        return ResultFor(failure);
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return kShellAccessDenied;
    }
    return kShellSuccess;
}

} // namespace twinvane::platform::posix
