// SPDX-License-Identifier: MIT
#pragma once

#include "Shell.h"

namespace twinvane::platform {

// The seam between commands that start programs or open addresses and the
// desktop shell, so that tests can record what would have been started.
class ShellLauncher {
public:
    virtual ~ShellLauncher() = default;
    virtual int Execute(const ShellRequest& request) = 0;
    // Starts as Execute does, and follows the started program where it can.
    virtual ShellStart ExecuteFollowed(const ShellRequest& request) {
        return {Execute(request), nullptr};
    }
};

// Hands every request to the system's shell.
class SystemShellLauncher final : public ShellLauncher {
public:
    int Execute(const ShellRequest& request) override { return ExecuteWithShell(request); }
    ShellStart ExecuteFollowed(const ShellRequest& request) override {
        return ExecuteAndFollow(request);
    }
};

// The launcher that talks to the real shell. It holds no state.
inline ShellLauncher& SystemShell() {
    static SystemShellLauncher launcher;
    return launcher;
}

} // namespace twinvane::platform
