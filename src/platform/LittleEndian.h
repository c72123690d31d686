// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace twinvane::platform {

// Little-endian fields of Windows file formats, read byte by byte so that
// neither alignment nor the host's byte order matters. The caller checks
// that the field lies inside `bytes`.
inline std::uint16_t LoadU16(std::span<const std::byte> bytes, std::size_t at) noexcept {
    return static_cast<std::uint16_t>(std::to_integer<unsigned>(bytes[at]) |
                                      std::to_integer<unsigned>(bytes[at + 1]) << 8);
}

inline std::uint32_t LoadU32(std::span<const std::byte> bytes, std::size_t at) noexcept {
    return static_cast<std::uint32_t>(LoadU16(bytes, at)) |
           static_cast<std::uint32_t>(LoadU16(bytes, at + 2)) << 16;
}

} // namespace twinvane::platform
