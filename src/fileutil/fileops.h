// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ShellLauncher.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace twinvane {

// Every read of a copy asks for exactly this many bytes.
inline constexpr std::size_t CopyChunkSize = 0x2000;

// Copies `Source` to `Destination`, or into it when it names an existing
// folder. The destination is resolved to a full path first and replaced.
// Raises EFOpenError (source as passed; also for a source that is not a
// regular file, such as a pipe, a socket or a device, as their reads need not
// end) or EFCreateError (completed destination); EReadError or EWriteError when the copy fails
// part-way, in which case the incomplete destination is removed.
void CopyFileTo(const std::string& Source, const std::string& Destination);

// Told the bytes copied so far after each chunk written; false stops the copy.
using CopyObserver = std::function<bool(std::uint64_t copied)>;

// As CopyFileTo, telling `goOn` after each chunk. Returns true when the copy
// is whole; false when `goOn` stopped it, the incomplete destination then
// removed. Raises what CopyFileTo raises.
[[nodiscard]] bool CopyFileTo(const std::string& Source, const std::string& Destination,
                              const CopyObserver& goOn);

// True when `FileName` carries every bit of `Mask`; a file whose attributes
// cannot be read has none.
bool HasAttributes(const std::string& FileName, std::uint16_t Mask);

// Starts `FileName` with `Params` in `DefaultDir` through the shell with its
// default action (no verb), owned by `owner`, without waiting. Returns the
// shell's result unchanged: above 32 on success. Raises nothing; texts of
// any length pass whole.
int StartWithShell(const std::string& FileName, const std::string& Params,
                   const std::string& DefaultDir, int ShowCmd, platform::WindowHandle owner = 0,
                   platform::ShellLauncher& launcher = platform::SystemShell());

// As StartWithShell, and follows the started program where the system can.
platform::ShellStart StartWithShellFollowed(const std::string& FileName, const std::string& Params,
                                            const std::string& DefaultDir, int ShowCmd,
                                            platform::WindowHandle owner,
                                            platform::ShellLauncher& launcher);

// As StartWithShellFollowed, with the program's arguments also as a list:
// where the system starts a program from a list, `Arguments` is taken as it
// is and `Params` only where it is not.
platform::ShellStart StartWithShellFollowed(const std::string& FileName, const std::string& Params,
                                            std::vector<std::string> Arguments,
                                            const std::string& DefaultDir, int ShowCmd,
                                            platform::WindowHandle owner,
                                            platform::ShellLauncher& launcher);

} // namespace twinvane
