// SPDX-License-Identifier: MIT
#include "VersionBlockWriter.h"

#include <stdexcept>
#include <utility>

namespace twinvane::versiongen {
namespace {

constexpr std::uint32_t kFixedSignature = 0xFEEF04BD;
constexpr std::uint32_t kFixedStructVersion = 0x00010000;

void PutU16(std::vector<std::byte>& out, std::uint16_t value) {
    out.push_back(static_cast<std::byte>(value & 0xFF));
    out.push_back(static_cast<std::byte>(value >> 8));
}

void PutU32(std::vector<std::byte>& out, std::uint32_t value) {
    PutU16(out, static_cast<std::uint16_t>(value & 0xFFFF));
    PutU16(out, static_cast<std::uint16_t>(value >> 16));
}

void PadTo4(std::vector<std::byte>& out) {
    while (out.size() % 4 != 0) {
        out.push_back(std::byte{0});
    }
}

void SetU16(std::vector<std::byte>& out, std::size_t at, std::size_t value) {
    if (value > 0xFFFF) {
        throw std::length_error("A version block node is longer than 65535 bytes");
    }
    out[at] = static_cast<std::byte>(value & 0xFF);
    out[at + 1] = static_cast<std::byte>(value >> 8);
}

void WriteNode(std::vector<std::byte>& out, const VersionNode& node) {
    const std::size_t begin = out.size();
    PutU16(out, 0); // the length, known at the end
    PutU16(out, node.valueLength);
    PutU16(out, node.text ? 1 : 0);
    for (const char c : node.key) {
        PutU16(out, static_cast<unsigned char>(c));
    }
    PutU16(out, 0);
    PadTo4(out);
    out.insert(out.end(), node.value.begin(), node.value.end());
    for (const VersionNode& child : node.children) {
        PadTo4(out);
        WriteNode(out, child);
    }
    SetU16(out, begin, out.size() - begin);
}

} // namespace

VersionNode TextValue(std::string key, const std::u16string& text) {
    VersionNode node{std::move(key), true, {}, 0, {}};
    for (const char16_t c : text) {
        PutU16(node.value, c);
    }
    PutU16(node.value, 0);
    node.valueLength = static_cast<std::uint16_t>(text.size() + 1);
    return node;
}

VersionNode WordsValue(std::string key, const std::vector<std::uint16_t>& words) {
    VersionNode node{std::move(key), false, {}, 0, {}};
    for (const std::uint16_t word : words) {
        PutU16(node.value, word);
    }
    node.valueLength = static_cast<std::uint16_t>(node.value.size());
    return node;
}

VersionNode BlockNode(std::string key, std::vector<VersionNode> children) {
    return VersionNode{std::move(key), true, {}, 0, std::move(children)};
}

VersionNode RootNode(const FixedFileInfo& fixed, std::vector<VersionNode> children) {
    VersionNode node{"VS_VERSION_INFO", false, {}, 0, std::move(children)};
    for (const std::uint32_t field :
         {kFixedSignature, kFixedStructVersion, fixed.fileVersionMs, fixed.fileVersionLs,
          fixed.productVersionMs, fixed.productVersionLs, fixed.flagsMask, fixed.flags, fixed.os,
          fixed.type, fixed.subtype, 0u, 0u}) {
        PutU32(node.value, field);
    }
    node.valueLength = static_cast<std::uint16_t>(node.value.size());
    return node;
}

std::vector<std::byte> WriteVersionBlock(const VersionNode& root) {
    std::vector<std::byte> out;
    WriteNode(out, root);
    return out;
}

} // namespace twinvane::versiongen
