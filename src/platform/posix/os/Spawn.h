// SPDX-License-Identifier: MIT
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace twinvane::platform::posix {

// Starts `program` with `arguments` (argument 0 included) in `folder` (or the
// current folder), in a session of its own, with no shell in between and
// none of Twinvane's open files. Returns a Windows shell result:
// kShellSuccess, or the failure code for what stopped the start. On success
// `started` is the program's process id, which is also the id of its
// session; it is Twinvane's child, to be followed (SessionProgram) or handed
// to ReapWhenEnded, so that it leaves no zombie.
int SpawnInSession(const std::string& program, const std::vector<std::string>& arguments,
                   const std::optional<std::string>& folder, pid_t& started);

// Collects the exit of the child `pid` once it comes, without waiting here.
void ReapWhenEnded(pid_t pid);

} // namespace twinvane::platform::posix
