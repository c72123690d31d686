// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ProcessHandle.h"

#include <sys/types.h>

#include <chrono>

namespace twinvane::platform::posix {

// Follows a program started in a session of its own (SpawnInSession) with
// everything it starts: a launcher that hands the files to a viewer and
// exits has not ended while the viewer runs. It counts as ended once no
// process of the session remains, and no sooner than a few seconds after
// the start, so that a program the files were handed to has opened them.
// It reaps the session's first process, Twinvane's child, and while it has
// not, that process id (the session's id) cannot be given to another.
class SessionProgram final : public RunningProgram {
public:
    explicit SessionProgram(pid_t leader);
    SessionProgram(const SessionProgram&) = delete;
    SessionProgram& operator=(const SessionProgram&) = delete;
    ~SessionProgram() override;

    bool HasEnded() override;

    // How long after the start the program counts as running in any case.
    static constexpr std::chrono::seconds kSettleTime{3};

private:
    pid_t leader_;
    bool reaped_ = false;
    std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
};

// True while a process other than a zombie runs in the session `session`,
// as far as /proc shows; true when /proc cannot be read.
bool SessionHasProcesses(pid_t session);

} // namespace twinvane::platform::posix
