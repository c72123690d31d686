// SPDX-License-Identifier: MIT
#pragma once

#include "platform/AsciiText.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace twinvane::platform::posix {

// Like Windows, the registry compares key and value names ignoring the case
// of ASCII letters only; other bytes compare as they are.
constexpr char FoldChar(char c) {
    return LowerAscii(c);
}

// `text` with its ASCII capitals made small.
std::string FoldCase(std::string_view text);

bool EqualFolded(std::string_view a, std::string_view b) noexcept;

bool StartsWithFolded(std::string_view text, std::string_view prefix);

// Equal for texts that are EqualFolded.
std::uint64_t HashFolded(std::string_view text) noexcept;

// Orders texts byte by byte after folding, so that the texts starting with a
// given prefix stand together, right after the prefix itself.
struct FoldedLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};

// Not noexcept, so that the standard hash tables keep each hash rather than
// compute it again whenever they grow.
struct FoldedHash {
    std::size_t operator()(std::string_view text) const {
        return static_cast<std::size_t>(HashFolded(text));
    }
};

struct FoldedEqual {
    bool operator()(std::string_view a, std::string_view b) const noexcept {
        return EqualFolded(a, b);
    }
};

} // namespace twinvane::platform::posix
