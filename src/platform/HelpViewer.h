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
// Windows: a help file that exists as a file goes to WinHelp, and the result
// says whether WinHelp took it; current Windows has no WinHelp at all.
// Linux, which has no WinHelp: a help file that exists as a file is opened
// through `shell` with the verb "open" (command and data do not apply) and
// the result says whether the shell took it.
// On both, false means nothing was shown (no such file, or no viewer took
// it), so that the caller shows its own help instead.
bool ShowHelp(WindowHandle owner, const std::string& helpFile, unsigned command,
              std::uintptr_t data, ShellLauncher& shell = SystemShell());

} // namespace twinvane::platform
