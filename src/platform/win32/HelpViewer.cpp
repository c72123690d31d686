// SPDX-License-Identifier: MIT
#include "platform/HelpViewer.h"

#include "platform/FileSystem.h"

#include <windows.h>

namespace twinvane::platform {

bool ShowHelp(WindowHandle owner, const std::string& helpFile, unsigned command,
              std::uintptr_t data, ShellLauncher& /*shell*/) {
    // Without the file WinHelp would still start its viewer, where there is
    // one, only to show an error; where there is none (current Windows) it
    // may even report success. The caller's own help serves better.
    if (!FileExists(helpFile)) {
        return false;
    }
    return ::WinHelpA(reinterpret_cast<HWND>(owner), helpFile.c_str(), command,
                      static_cast<ULONG_PTR>(data)) != FALSE;
}

} // namespace twinvane::platform
