// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace twinvane::platform {

// The three operations of the Windows version API (GetFileVersionInfoSizeA,
// GetFileVersionInfoA, VerQueryValueA). The Linux backend reads the RT_VERSION
// resource of PE files and the block embedded in Twinvane's own ELF file, and
// answers queries the way the Windows API does. None of them raises.

// The size in bytes of the version-information block of `fileName`; 0 when
// the file has none or cannot be read.
std::uint32_t FileVersionInfoSize(const std::string& fileName);

// Reads the block of `fileName` into `block`, whose size is the one
// FileVersionInfoSize reported. False when the block could not be read.
bool ReadFileVersionInfo(const std::string& fileName, std::span<std::byte> block);

// Looks up `subBlock` in a block that ReadFileVersionInfo filled: "\" for the
// fixed part, "\VarFileInfo\Translation", "\StringFileInfo\<lang><cp>\<key>".
// Names match whole, without regard to case. Empty when there is no such
// entry; otherwise the value's bytes: a text value in the 8-bit code page, as
// many characters as it stores, its terminating NUL included (so a stored
// length of 0 gives an empty string); binary data byte for byte. A value
// never runs past the end of `block`. The block may be used as scratch space.
std::optional<std::string> QueryVersionValue(std::span<std::byte> block,
                                             const std::string& subBlock);

} // namespace twinvane::platform
