// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace twinvane {

// The 32-bit integer `text` holds, as the settings store reads numbers:
// leading blanks, an optional "+" or "-", then decimal digits, or
// hexadecimal digits after "$", "x", "X", "0x" or "0X". Nothing may follow
// the digits, not even a blank. Decimal values must lie within 32 bits
// signed; hexadecimal ones within 32 bits, read as the bit pattern of a
// signed number ("$FFFFFFFF" is -1). Anything else gives no value.
std::optional<std::int32_t> ParseInteger(std::string_view text);

} // namespace twinvane
