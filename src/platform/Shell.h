// SPDX-License-Identifier: MIT
#pragma once

#include "ProcessHandle.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace twinvane::platform {

// A native top-level window (HWND on Windows); 0 for none.
using WindowHandle = std::uintptr_t;

// Windows show commands that callers pass through.
inline constexpr int kShowNormal = 1;
inline constexpr int kShowMaximized = 3;
inline constexpr int kShow = 5;

// Windows shell results: above 32 is success, these are the failures.
inline constexpr int kShellFileNotFound = 2;
inline constexpr int kShellPathNotFound = 3;
inline constexpr int kShellAccessDenied = 5;
inline constexpr int kShellOutOfMemory = 8;
inline constexpr int kShellBadFormat = 11;
inline constexpr int kShellNoAssociation = 31;
inline constexpr int kShellSuccess = 42;

struct ShellRequest {
    WindowHandle owner = 0;
    std::optional<std::string> verb;       // absent: the file's default action
    std::string file;                      // a program, a document or an address
    std::optional<std::string> parameters; // absent: none at all
    // The program's arguments as a list, its own name not included. Where a
    // program is started from a list (Linux) it is taken as it is, and
    // `parameters` is not split again; Windows starts from `parameters`.
    std::optional<std::vector<std::string>> arguments;
    std::optional<std::string> directory; // absent: the current folder
    int showCommand = kShowNormal;
};

// Hands `request` to the desktop shell and returns at once, never waiting
// for what was started. The result follows Windows: above 32 on success,
// otherwise one of the kShell* failure codes. Texts of any length pass whole.
int ExecuteWithShell(const ShellRequest& request);

// What a start gave: the shell's result, and the process it started where
// the system can follow it (null when it cannot, or when the start failed).
struct ShellStart {
    int result = 0;
    std::unique_ptr<RunningProgram> program;
};

// As ExecuteWithShell, and follows the process started.
ShellStart ExecuteAndFollow(const ShellRequest& request);

// Why a start failed, in words, for a shell result of 32 or less.
std::string ShellFailureText(int result);

} // namespace twinvane::platform
