// SPDX-License-Identifier: MIT
#include "Spawn.h"

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
    case ETXTBSY:
        return kShellAccessDenied;
    case ENOEXEC:
        return kShellBadFormat;
    case E2BIG:
    case ENOMEM:
        return kShellOutOfMemory;
    case ENOENT:
    case ENOTDIR:
        return failure.stage == kStageFolder ? kShellPathNotFound : kShellFileNotFound;
    default:
        return kShellAccessDenied;
    }
}

bool MakePipe(UniqueFd& readEnd, UniqueFd& writeEnd) {
    std::array<int, 2> fds{};
    if (::pipe2(fds.data(), O_CLOEXEC) != 0) {
        return false;
    }
    readEnd.Reset(fds[0]);
    writeEnd.Reset(fds[1]);
    return true;
}

ssize_t ReadRetrying(int fd, void* buffer, std::size_t size) {
    ssize_t got = 0;
    do {
        got = ::read(fd, buffer, size);
    } while (got < 0 && errno == EINTR);
    return got;
}

// The pipes of one start. All are close-on-exec, so none reaches the program.
struct StartPipes {
    UniqueFd reportRead, reportWrite; // why the program could not start
    UniqueFd pidRead, pidWrite;       // the started program's pid, when followed
    UniqueFd goRead, goWrite;         // closed by the parent once it holds a pidfd
};

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

// The middle child starts the program in a session of its own and ends, so
// that the program is never Twinvane's child and never its zombie. When the
// program is followed, it stays until the parent holds a pidfd: while it
// lives and has not reaped the program, the program's pid cannot be reused.
[[noreturn]] void RunMiddle(const StartPipes& pipes, const char* program, char* const* argv,
                            const char* folder) {
    ::setsid();
    // Only the parent's copy may remain, so that its close reads as the end.
    if (pipes.goWrite.IsOpen()) {
        ::close(pipes.goWrite.Get());
    }
    const pid_t started = ::fork();
    if (started == 0) {
        RunGrandchild(pipes.reportWrite.Get(), program, argv, folder);
    }
    if (started > 0 && pipes.pidWrite.IsOpen() &&
        ::write(pipes.pidWrite.Get(), &started, sizeof started) ==
            static_cast<ssize_t>(sizeof started)) {
        char ignored = 0;
        ReadRetrying(pipes.goRead.Get(), &ignored, 1);
    }
    ::_exit(started < 0 ? 1 : 0);
}

// Opens a pidfd of the program the middle child reports, then lets that
// child go. Closed when the kernel offers no pidfds.
UniqueFd FollowStarted(StartPipes& pipes) {
    UniqueFd process;
    pid_t started = 0;
    if (ReadRetrying(pipes.pidRead.Get(), &started, sizeof started) ==
        static_cast<ssize_t>(sizeof started)) {
        process.Reset(static_cast<int>(::syscall(SYS_pidfd_open, started, 0U)));
    }
    pipes.goWrite.Reset();
    return process;
}

} // namespace

int SpawnDetached(const std::string& program, const std::vector<std::string>& arguments,
                  const std::optional<std::string>& folder, UniqueFd* process) {
    // Everything the children need is prepared here: after fork() they may
    // not allocate.
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const auto& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const char* workingFolder = folder && !folder->empty() ? folder->c_str() : nullptr;

    StartPipes pipes;
    if (!MakePipe(pipes.reportRead, pipes.reportWrite) ||
        (process != nullptr &&
         (!MakePipe(pipes.pidRead, pipes.pidWrite) || !MakePipe(pipes.goRead, pipes.goWrite)))) {
        return kShellOutOfMemory;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        return kShellOutOfMemory;
    }
    if (child == 0) {
        RunMiddle(pipes, program.c_str(), argv.data(), workingFolder);
    }
    pipes.reportWrite.Reset();
    pipes.pidWrite.Reset();
    pipes.goRead.Reset();
    UniqueFd followed = process != nullptr ? FollowStarted(pipes) : UniqueFd();
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    // The pipe closes on a successful exec; a failure arrives as a report.
    StartFailure failure{};
    if (ReadRetrying(pipes.reportRead.Get(), &failure, sizeof failure) ==
        static_cast<ssize_t>(sizeof failure)) {
        return ResultFor(failure);
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return kShellAccessDenied;
    }
    if (process != nullptr) {
        *process = std::move(followed);
    }
    return kShellSuccess;
}

} // namespace twinvane::platform::posix
