// SPDX-License-Identifier: MIT
#include "platform/HelpViewer.h"

#include <windows.h>

namespace twinvane::platform {

bool ShowHelp(WindowHandle owner, const std::string& helpFile, unsigned command,
              std::uintptr_t data, ShellLauncher& /*shell*/) {
    // WinHelp reports a missing or unreadable file to the user itself, so its
    // answer is of no further use here.
    static_cast<void>(::WinHelpA(reinterpret_cast<HWND>(owner), helpFile.c_str(), command,
                                 static_cast<ULONG_PTR>(data)));
    return true;
}

} // namespace twinvane::platform
