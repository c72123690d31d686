// SPDX-License-Identifier: MIT
#pragma once

#include "Shell.h"
#include "ShellLauncher.h"

#include <cstdint>
#include <string>

namespace twinvane::platform {

// WinHelp commands that callers pass through.
inline constexpr unsigned kHelpFinder = 11;

// Opens `helpFile` in the system's help viewer with the WinHelp `command` and
// its `data`, owned by `owner`, without waiting.
// Windows: WinHelp takes it and shows its own messages for a missing file;
// the result is then always true.
// Linux, which has no WinHelp: a help file that exists as a file is opened
// through `shell` with the verb "open" (command and data do not apply) and
// the result says whether the shell took it. False means nothing was shown,
// so that the caller shows its own help instead.
bool ShowHelp(WindowHandle owner, const std::string& helpFile, unsigned command,
              std::uintptr_t data, ShellLauncher& shell = SystemShell());

} // namespace twinvane::platform
