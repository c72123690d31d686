// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace twinvane::versiongen {

// One node of a VS_VERSIONINFO tree, stored as it will be written: the
// value's bytes and its stored length are independent, so that any block a
// file may hold can be made, malformed ones included.
struct VersionNode {
    std::string key; // ASCII
    bool text = true;
    std::vector<std::byte> value;
    std::uint16_t valueLength = 0; // characters for text, bytes for binary data
    std::vector<VersionNode> children;
};

// The fixed part of the root node (VS_FIXEDFILEINFO).
struct FixedFileInfo {
    std::uint32_t fileVersionMs = 0;
    std::uint32_t fileVersionLs = 0;
    std::uint32_t productVersionMs = 0;
    std::uint32_t productVersionLs = 0;
    std::uint32_t flagsMask = 0;
    std::uint32_t flags = 0;
    std::uint32_t os = 0;
    std::uint32_t type = 0;
    std::uint32_t subtype = 0;
};

// A text value as resource compilers store it: the characters and a
// terminating NUL, counted in the stored length.
VersionNode TextValue(std::string key, const std::u16string& text);

// Binary data made of 16-bit words, such as a translation table.
VersionNode WordsValue(std::string key, const std::vector<std::uint16_t>& words);

// A node that only holds children ("StringFileInfo", a string table).
VersionNode BlockNode(std::string key, std::vector<VersionNode> children);

// The root node "VS_VERSION_INFO" with the fixed part as its value.
VersionNode RootNode(const FixedFileInfo& fixed, std::vector<VersionNode> children);

// The tree in the layout Windows reads: each node is its lengths and type,
// its key in UTF-16LE with a NUL, padding to 4 bytes, its value, then its
// children, each starting on a 4-byte boundary. A node's length excludes the
// padding after its last byte.
std::vector<std::byte> WriteVersionBlock(const VersionNode& root);

} // namespace twinvane::versiongen
