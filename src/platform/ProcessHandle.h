// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>

namespace twinvane::platform {

// A program that was started and may still be running, with what it
// started in turn: a session of its own on Linux, a job on Windows.
class RunningProgram {
public:
    virtual ~RunningProgram() = default;
    // True once the program has ended. Never waits.
    virtual bool HasEnded() = 0;
};

// A process named so that no later process given the same number is taken
// for it: its id and the time it started, in the system's own units.
struct ProcessToken {
    std::uint64_t id = 0;
    std::uint64_t started = 0;
    bool operator==(const ProcessToken&) const = default;
};

// The process with the id `id` while it runs; nothing once it has ended.
// A process that runs but cannot be inspected is reported with started 0.
std::optional<ProcessToken> RunningProcess(std::uint64_t id);
ProcessToken CurrentProcess();

// True while the process `token` names still runs (or cannot be told apart
// from it: keeping something for it is the safe side).
inline bool IsRunning(const ProcessToken& token) {
    const auto now = RunningProcess(token.id);
    return now && (now->started == token.started || now->started == 0);
}

} // namespace twinvane::platform
