// SPDX-License-Identifier: MIT
#include "IntegerText.h"

#include "platform/AsciiText.h"

namespace twinvane {
namespace {

constexpr std::uint64_t kMaxHex = 0xFFFFFFFFu;
constexpr std::uint64_t kMaxNegativeDecimal = 2147483648u;
constexpr std::uint64_t kMaxPositiveDecimal = 2147483647u;

int DigitValue(char c, bool hexadecimal) {
    const int value = platform::HexDigitValue(c);
    return hexadecimal || value < 10 ? value : -1;
}

} // namespace

std::optional<std::int32_t> ParseInteger(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    bool hexadecimal = false;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        hexadecimal = true;
        text.remove_prefix(2);
    } else if (!text.empty() &&
               (text.front() == '$' || text.front() == 'x' || text.front() == 'X')) {
        hexadecimal = true;
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    const std::uint64_t limit =
        hexadecimal ? kMaxHex : (negative ? kMaxNegativeDecimal : kMaxPositiveDecimal);
    const std::uint64_t base = hexadecimal ? 16 : 10;
    std::uint64_t magnitude = 0;
    for (const char c : text) {
        const int digit = DigitValue(c, hexadecimal);
        if (digit < 0) {
            return std::nullopt;
        }
        magnitude = magnitude * base + static_cast<std::uint64_t>(digit);
        if (magnitude > limit) {
            return std::nullopt;
        }
    }
    // Unsigned arithmetic wraps where the signed result would overflow.
    std::uint32_t bits = static_cast<std::uint32_t>(magnitude);
    if (negative) {
        bits = 0u - bits;
    }
    return static_cast<std::int32_t>(bits);
}

} // namespace twinvane
