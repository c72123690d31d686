// SPDX-License-Identifier: MIT
#pragma once

#include "platform/LittleEndian.h"

#include <cstddef>
#include <span>

namespace twinvane::platform {

// A VS_VERSIONINFO block opens with its own length. The Windows query API
// trusts it and converts texts into the space behind it, so a block claiming
// more than was read would make it write past the buffer (Wine crashes on
// one); both backends count such a block as unreadable.
inline bool StatedLengthFits(std::span<const std::byte> block) noexcept {
    return block.size() >= 2 && LoadU16(block, 0) <= block.size();
}

} // namespace twinvane::platform
