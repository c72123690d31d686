// SPDX-License-Identifier: MIT
#pragma once

#include "ByteSource.h"

#include <cstdint>

namespace twinvane::platform::posix {

// libelf sets memory aside for every section that a file claims, and reads the
// section-name table whole, before it weighs either against the file; a file
// of a few bytes could make it allocate gigabytes. No program comes near these
// bounds: 0xFEFF sections is the most that the header's own count can state,
// and only object files with a section per function go beyond it.
inline constexpr std::uint64_t kMostElfSections = 0xFEFF;
inline constexpr std::uint64_t kLargestElfNameTable = 0x100000;

// True when the ELF file in `file` (32- or 64-bit, either byte order) is safe
// to hand to libelf: its section table lies inside the file and holds at most
// kMostElfSections headers of its class's size, and its section-name table
// lies inside the file, holds at most kLargestElfNameTable bytes and ends in
// a zero byte, so that looking up a name never scans the table. A file without
// a section table is safe too. False for anything else, an ELF file
// cut short or malformed included.
bool ElfTablesWithinBounds(const ByteSource& file);

} // namespace twinvane::platform::posix
