// SPDX-License-Identifier: MIT
#include "platform/HelpViewer.h"

#include "platform/FileSystem.h"

namespace twinvane::platform {

bool ShowHelp(WindowHandle owner, const std::string& helpFile, unsigned /*command*/,
              std::uintptr_t /*data*/, ShellLauncher& shell) {
    if (!FileExists(helpFile)) {
        return false;
    }
    ShellRequest request;
    request.owner = owner;
    request.verb = "open";
    request.file = helpFile;
    request.showCommand = kShowNormal;
    return shell.Execute(request) > 32;
}

} // namespace twinvane::platform
