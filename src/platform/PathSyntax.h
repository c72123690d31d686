// SPDX-License-Identifier: MIT
#pragma once

namespace twinvane::platform {

// The character that separates folders: backslash on Windows, slash on Linux.
char PathSeparator() noexcept;

// True for every character that ends the folder part of a path: backslash
// and colon on Windows (so "C:name" has the folder "C:"), slash on Linux.
bool IsFolderDelimiter(char c) noexcept;

} // namespace twinvane::platform
