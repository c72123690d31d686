// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace twinvane::platform::posix {

// UTF-16LE text (an even number of bytes; an odd last byte is ignored) as
// UTF-8, the 8-bit encoding of Linux. An unpaired surrogate becomes U+FFFD.
// NUL characters are kept.
std::string Utf16LeToUtf8(std::span<const std::byte> text);

// UTF-8 text as UTF-16 code units; a byte that starts no valid sequence
// becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);

} // namespace twinvane::platform::posix
