// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace twinvane::platform::posix {

// Looks up `subBlock` in the VS_VERSIONINFO tree `block` as VerQueryValueA
// does. The path's parts are separated by backslashes (empty parts are
// skipped, so "\" and "" name the root); each part names a child of the node
// before it, matched whole without regard to case, the first of duplicate
// names winning. The search within a node stops at its stored length, or at
// a child whose length is 0.
//
// Empty when a part is not found. Otherwise the node's value: text (a node of
// type 1) as many UTF-16 characters as its stored value length, converted to
// UTF-8; binary data as many bytes. Whatever the stored lengths claim, nothing
// outside `block` is read and the value is cut where `block` ends.
std::optional<std::string> QueryVersionBlock(std::span<const std::byte> block,
                                             std::string_view subBlock);

} // namespace twinvane::platform::posix
