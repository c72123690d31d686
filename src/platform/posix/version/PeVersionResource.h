// SPDX-License-Identifier: MIT
#pragma once

#include "ByteSource.h"
#include "FileRange.h"

#include <optional>

namespace twinvane::platform::posix {

// Locates the version resource of a PE file, 32- or 64-bit, as Windows finds
// it when it opens the file as data: type RT_VERSION, name 1, and of its
// languages U.S. English, then English, then neutral, else the first. Every
// offset and size is checked against the file; a malformed file has none.
std::optional<FileRange> FindVersionResource(const ByteSource& file);

} // namespace twinvane::platform::posix
