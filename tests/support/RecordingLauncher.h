// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ShellLauncher.h"

#include <memory>
#include <vector>

namespace twinvane::testing {

// A shell that starts nothing: it keeps every request and answers `result`.
// A followed start reports a program whose state `program` gives.
class RecordingLauncher final : public platform::ShellLauncher {
public:
    enum class Program { Ended, Running, Untracked };

    int Execute(const platform::ShellRequest& request) override {
        requests.push_back(request);
        return result;
    }

    platform::ShellStart ExecuteFollowed(const platform::ShellRequest& request) override {
        platform::ShellStart started{Execute(request), nullptr};
        if (result > 32 && program != Program::Untracked) {
            started.program = std::make_unique<Started>(*this);
        }
        return started;
    }

    std::vector<platform::ShellRequest> requests;
    int result = platform::kShellSuccess;
    Program program = Program::Ended;

private:
    struct Started final : platform::RunningProgram {
        explicit Started(const RecordingLauncher& launcher) : launcher(launcher) {}
        bool HasEnded() override { return launcher.program != Program::Running; }
        const RecordingLauncher& launcher;
    };
};

} // namespace twinvane::testing
