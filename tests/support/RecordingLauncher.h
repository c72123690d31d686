// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ShellLauncher.h"

#include <vector>

namespace twinvane::testing {

// A shell that starts nothing: it keeps every request and answers `result`.
class RecordingLauncher final : public platform::ShellLauncher {
public:
    int Execute(const platform::ShellRequest& request) override {
        requests.push_back(request);
        return result;
    }

    std::vector<platform::ShellRequest> requests;
    int result = platform::kShellSuccess;
};

} // namespace twinvane::testing
