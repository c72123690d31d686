// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace twinvane::platform {

// The character that separates folders: backslash on Windows, slash on Linux.
char PathSeparator() noexcept;

// True for every character that ends the folder part of a path: backslash
// and colon on Windows (so "C:name" has the folder "C:"), slash on Linux.
bool IsFolderDelimiter(char c) noexcept;

// True when `path` names the same file from every current folder: "/..." on
// Linux; "X:\...", "X:/..." or a "\\server\share" path on Windows.
bool IsAbsolutePath(const std::string& path) noexcept;

// `path` in double quotes, as one argument of a command line. On Linux a
// path may hold double quotes or end in a backslash, so it is escaped by the
// Windows command-line rules; Windows paths are simply wrapped in quotes.
std::string QuotePath(const std::string& path);

// True when `program` is started through the command interpreter, which
// reads its arguments again: a batch file (".bat", ".cmd", any letter case)
// on Windows; never on Linux, where a program is started directly.
bool StartsThroughCommandInterpreter(const std::string& program);

} // namespace twinvane::platform
