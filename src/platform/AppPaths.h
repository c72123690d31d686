// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace twinvane::platform {

// The full path of the executable file of the running program, of any length.
// Raises twinvane::Exception when the system cannot tell it.
std::string RunningExecutablePath();

} // namespace twinvane::platform
