// SPDX-License-Identifier: MIT
#pragma once

#include "UniqueHandle.h"
#include "platform/ProcessHandle.h"

#include <windows.h>

namespace twinvane::platform::win32 {

// A program the shell started, followed with every process it starts in
// turn: a launcher that hands the files on to another program and exits has
// not ended the program. It never waits for the processes and never ends
// them; closing it leaves them running.
class StartedProgram final : public RunningProgram {
public:
    // However soon its processes end, the program counts as running this
    // long after the start: a program that a launcher hands the files to has
    // opened them by then, and an open file is never deleted.
    static constexpr ULONGLONG kShortestRunMs = 3000;

    // Takes ownership of `process`, a process handle from a start that has
    // just returned, and puts the process into a job of its own, which the
    // processes it starts join. Where the system refuses (a process in a job
    // that allows no nesting, before Windows 8), the process alone is followed.
    explicit StartedProgram(HANDLE process) noexcept;

    // True once the shortest run is over and no process of the job runs (or,
    // without a job, the process has ended). Never waits.
    bool HasEnded() noexcept override;

private:
    UniqueHandle process_;
    UniqueHandle job_;
    ULONGLONG started_;
};

} // namespace twinvane::platform::win32
