// SPDX-License-Identifier: MIT
#pragma once

#include "FileRange.h"

#include <optional>

namespace twinvane::platform::posix {

// The ELF section that carries the program's own version block: the bytes
// that the Windows build holds as its VERSIONINFO resource.
inline constexpr char kVersionSectionName[] = ".twinvane.version";

// Locates that section, with libelf, in the ELF file open on `fd`; empty when
// the file is no regular ELF file, is malformed, has tables beyond the bounds
// of ElfBounds.h (checked before libelf sees the file) or has no such section.
std::optional<FileRange> FindElfVersionSection(int fd);

} // namespace twinvane::platform::posix
