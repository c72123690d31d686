// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace twinvane::platform {

// A program that was started and may still be running.
class RunningProgram {
public:
    virtual ~RunningProgram() = default;
    // True once the program has ended. Never waits.
    virtual bool HasEnded() = 0;
};

// Follows one started process through a handle of the system (a pidfd on
// Linux, a process HANDLE on Windows), released when the object goes. It
// never waits for the process and never ends it.
class ProcessHandle final : public RunningProgram {
public:
    // Takes ownership of `native`, an open handle.
    explicit ProcessHandle(std::intptr_t native) noexcept : native_(native) {}
    ProcessHandle(const ProcessHandle&) = delete;
    ProcessHandle& operator=(const ProcessHandle&) = delete;
    ~ProcessHandle() override;

    bool HasEnded() noexcept override;

private:
    std::intptr_t native_;
};

} // namespace twinvane::platform
