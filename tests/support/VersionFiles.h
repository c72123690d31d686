// SPDX-License-Identifier: MIT
#pragma once

#include "VersionBlockWriter.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace twinvane::testing {

using versiongen::VersionNode;

// A text value as resource compilers store it: characters, then a NUL.
VersionNode Text(std::string key, const std::u16string& text);

// A text value that stores no characters at all (length 0).
VersionNode NoText(std::string key);

// A string table ("080904E4") holding `values`.
VersionNode StringTable(std::string name, std::vector<VersionNode> values);

// The eight keys the reader asks for, in its order, with the values
// "Company", "Description", "1.2.3.4", "Internal", "Copyright", "Original",
// "Product", "5.6.7.8".
std::vector<VersionNode> EightStrings();
std::vector<std::string> EightKeys();
std::vector<std::string> EightValues();

// A complete block: a fixed part, the string tables under "StringFileInfo"
// and the translation table (language, code page, language, ...) under
// "VarFileInfo".
std::vector<std::byte> VersionBlock(const std::vector<VersionNode>& tables,
                                    const std::vector<std::uint16_t>& translations);

// One RT_VERSION resource of a PE file.
struct VersionResource {
    std::vector<std::byte> data;
    std::uint16_t language = 0x0409;
    std::uint16_t name = 1;
};

enum class PeKind { Pe32, Pe32Plus };

// A minimal PE file whose only section, ".rsrc", holds the given version
// resources, its directories sorted as resource compilers sort them. Its
// layout is fixed so that tests can damage it on purpose: the offsets below.
std::vector<std::byte> PeFile(const std::vector<VersionResource>& resources,
                              PeKind kind = PeKind::Pe32Plus);

inline constexpr std::size_t kPeNtHeaders = 0x40;       // where e_lfanew points
inline constexpr std::size_t kPeFileHeader = 0x44;      // IMAGE_FILE_HEADER
inline constexpr std::size_t kPeOptionalHeader = 0x58;  // IMAGE_OPTIONAL_HEADER
inline constexpr std::size_t kPeResourceOffset = 0x200; // the root resource directory
inline constexpr std::uint32_t kPeResourceRva = 0x1000;
// A resource directory's first entry follows its 16-byte header.
inline constexpr std::size_t kPeFirstEntry = 16;

// Little-endian stores for damaging files and blocks.
void StoreU16(std::vector<std::byte>& bytes, std::size_t at, std::uint16_t value);
void StoreU32(std::vector<std::byte>& bytes, std::size_t at, std::uint32_t value);

void WriteBytes(const std::string& path, const std::vector<std::byte>& bytes);

} // namespace twinvane::testing
