// SPDX-License-Identifier: MIT
#include "VersionBlockQuery.h"

#include "Utf16.h"
#include "platform/LittleEndian.h"

#include <algorithm>
#include <cstdint>

namespace twinvane::platform::posix {
namespace {

constexpr std::size_t kHeaderSize = 6; // wLength, wValueLength, wType

constexpr std::size_t Align4(std::size_t offset) {
    return (offset + 3) & ~std::size_t{3};
}

// One node of the tree, its offsets cut at the end of the block. Nodes start
// on 4-byte boundaries of the block, so the padding before a value and
// before the first child is the same whether counted from the node or from
// the block.
struct Node {
    std::size_t end = 0; // where the node's stored length ends it, within the block
    std::uint16_t length = 0;
    std::uint16_t valueLength = 0;
    bool text = false;
    std::size_t key = 0;
    std::size_t keyUnits = 0;
    bool keyTerminated = false;
    std::size_t value = 0;
    std::size_t children = 0;
};

class Tree {
public:
    explicit Tree(std::span<const std::byte> block) : block_(block) {}

    std::optional<Node> NodeAt(std::size_t at) const;
    std::optional<Node> FindChild(const Node& parent, std::u16string_view name) const;
    std::string ValueOf(const Node& node) const;

private:
    bool KeyEquals(const Node& node, std::u16string_view name) const;

    std::span<const std::byte> block_;
};

std::optional<Node> Tree::NodeAt(std::size_t at) const {
    const std::size_t size = block_.size();
    if (at > size || size - at < kHeaderSize) {
        return std::nullopt;
    }
    Node node;
    node.length = LoadU16(block_, at);
    node.valueLength = LoadU16(block_, at + 2);
    node.text = LoadU16(block_, at + 4) != 0;
    node.end = std::min(size, at + node.length);
    node.key = at + kHeaderSize;
    std::size_t unit = node.key;
    while (size - unit >= 2 && LoadU16(block_, unit) != 0) {
        unit += 2;
    }
    node.keyUnits = (unit - node.key) / 2;
    node.keyTerminated = size - unit >= 2;
    if (!node.keyTerminated) {
        // A key that runs to the end of the block leaves no room for more.
        node.value = node.children = size;
        return node;
    }
    node.value = std::min(size, Align4(unit + 2));
    const std::size_t valueBytes = std::size_t{node.valueLength} * (node.text ? 2 : 1);
    node.children = std::min(size, Align4(node.value + valueBytes));
    return node;
}

bool Tree::KeyEquals(const Node& node, std::u16string_view name) const {
    if (!node.keyTerminated || node.keyUnits != name.size()) {
        return false;
    }
    const auto fold = [](char16_t c) -> char16_t {
        return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
    };
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (fold(static_cast<char16_t>(LoadU16(block_, node.key + 2 * i))) != fold(name[i])) {
            return false;
        }
    }
    return true;
}

std::optional<Node> Tree::FindChild(const Node& parent, std::u16string_view name) const {
    std::size_t at = parent.children;
    while (at < parent.end) {
        const auto child = NodeAt(at);
        if (!child) {
            return std::nullopt;
        }
        if (KeyEquals(*child, name)) {
            return child;
        }
        // A child of length 0 would never let the search move on.
        if (child->length == 0) {
            return std::nullopt;
        }
        at += Align4(child->length);
    }
    return std::nullopt;
}

std::string Tree::ValueOf(const Node& node) const {
    const std::size_t available = block_.size() - node.value;
    if (node.text) {
        const std::size_t bytes = std::min(available / 2 * 2, std::size_t{node.valueLength} * 2);
        return Utf16LeToUtf8(block_.subspan(node.value, bytes));
    }
    const std::size_t bytes = std::min(available, std::size_t{node.valueLength});
    const auto value = block_.subspan(node.value, bytes);
    return std::string(reinterpret_cast<const char*>(value.data()), value.size());
}

} // namespace

std::optional<std::string> QueryVersionBlock(std::span<const std::byte> block,
                                             std::string_view subBlock) {
    const Tree tree(block);
    auto node = tree.NodeAt(0);
    std::size_t at = 0;
    while (node && at < subBlock.size()) {
        const std::size_t slash = std::min(subBlock.find('\\', at), subBlock.size());
        if (slash > at) {
            node = tree.FindChild(*node, Utf8ToUtf16(subBlock.substr(at, slash - at)));
        }
        at = slash + 1;
    }
    if (!node) {
        return std::nullopt;
    }
    return tree.ValueOf(*node);
}

} // namespace twinvane::platform::posix
