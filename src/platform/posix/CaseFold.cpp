// SPDX-License-Identifier: MIT
#include "CaseFold.h"

#include <algorithm>
#include <cstring>

namespace twinvane::platform::posix {

std::string FoldCase(std::string_view text) {
    return LowerAscii(text);
}

bool StartsWithFolded(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualFolded(text.substr(0, prefix.size()), prefix);
}

namespace {

constexpr std::uint64_t kEveryByte = 0x0101010101010101;

// Eight bytes at once, their ASCII capitals made small: a byte below 0x80
// whose low seven bits lie in 'A'..'Z' gains 0x20.
std::uint64_t FoldWord(std::uint64_t word) {
    const std::uint64_t low = word & (0x7F * kEveryByte);
    const std::uint64_t atLeastA = low + (0x80 - 'A') * kEveryByte;
    const std::uint64_t aboveZ = low + (0x7F - 'Z') * kEveryByte;
    const std::uint64_t capital = (atLeastA ^ aboveZ) & ~word & (0x80 * kEveryByte);
    return word | capital >> 2;
}

std::uint64_t WordAt(std::string_view text, std::size_t i) {
    std::uint64_t word = 0;
    std::memcpy(&word, text.data() + i, 8);
    return word;
}

std::uint64_t Mix(std::uint64_t hash) {
    hash = (hash ^ (hash >> 30)) * 0xBF58476D1CE4E5B9;
    hash = (hash ^ (hash >> 27)) * 0x94D049BB133111EB;
    return hash ^ (hash >> 31);
}

} // namespace

bool EqualFolded(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size()) {
        return false;
    }
    std::size_t i = 0;
    for (; i + 8 <= a.size(); i += 8) {
        if (FoldWord(WordAt(a, i)) != FoldWord(WordAt(b, i))) {
            return false;
        }
    }
    for (; i < a.size(); ++i) {
        if (FoldChar(a[i]) != FoldChar(b[i])) {
            return false;
        }
    }
    return true;
}

std::uint64_t HashFolded(std::string_view text) noexcept {
    std::uint64_t hash = text.size();
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        hash = (hash ^ FoldWord(WordAt(text, i))) * 0x9E3779B97F4A7C15;
        hash ^= hash >> 29;
    }
    // The last 1 to 7 bytes, without a copy of a varying length (a call):
    // from 4 on as two 4-byte words that may overlap, else bytes 0, the
    // middle one and the last. The length went into the hash first.
    const std::size_t left = text.size() - i;
    const char* tail = text.data() + i;
    std::uint64_t rest = 0;
    if (left >= 4) {
        std::uint32_t first = 0;
        std::uint32_t last = 0;
        std::memcpy(&first, tail, 4);
        std::memcpy(&last, tail + left - 4, 4);
        rest = first | std::uint64_t{last} << 32;
    } else if (left > 0) {
        const auto byte = [&](std::size_t at) {
            return std::uint64_t{static_cast<unsigned char>(tail[at])};
        };
        rest = byte(0) | byte(left / 2) << 8 | byte(left - 1) << 16;
    }
    return Mix(hash ^ FoldWord(rest));
}

bool FoldedLess::operator()(std::string_view a, std::string_view b) const {
    // Names in one file mostly share their spelling, so the bytes are first
    // compared as they are, eight at a time; only a difference is folded.
    const std::size_t length = std::min(a.size(), b.size());
    std::size_t i = 0;
    for (;;) {
        while (i + 8 <= length && std::memcmp(a.data() + i, b.data() + i, 8) == 0) {
            i += 8;
        }
        while (i < length && a[i] == b[i]) {
            ++i;
        }
        if (i == length) {
            return a.size() < b.size();
        }
        const auto x = static_cast<unsigned char>(FoldChar(a[i]));
        const auto y = static_cast<unsigned char>(FoldChar(b[i]));
        if (x != y) {
            return x < y;
        }
        ++i;
    }
}

} // namespace twinvane::platform::posix
