// SPDX-License-Identifier: MIT
#pragma once

#include "UniqueFd.h"

#include <optional>
#include <string>
#include <vector>

namespace twinvane::platform::posix {

// Starts `program` with `arguments` (argument 0 included) in `folder` (or the
// current folder), detached: in a session of its own, never waited for and
// never left a zombie, with no shell in between. Returns a Windows shell
// result: kShellSuccess, or the failure code for what stopped the start;
// a failed exec is reported by the started side through a close-on-exec pipe.
// With `process` given, a successful start also leaves a pidfd of the
// started program there, where the kernel offers pidfds.
int SpawnDetached(const std::string& program, const std::vector<std::string>& arguments,
                  const std::optional<std::string>& folder, UniqueFd* process = nullptr);

} // namespace twinvane::platform::posix
