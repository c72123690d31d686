// SPDX-License-Identifier: MIT
#include "Utf16.h"

#include "platform/LittleEndian.h"

#include <cstdint>
#include <optional>

namespace twinvane::platform::posix {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendUtf8(std::string& out, char32_t c) {
    const auto byte = [&out](char32_t value) {
        out.push_back(static_cast<char>(value));
    };
    if (c < 0x80) {
        byte(c);
    } else if (c < 0x800) {
        byte(0xC0 | c >> 6);
        byte(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        byte(0xE0 | c >> 12);
        byte(0x80 | (c >> 6 & 0x3F));
        byte(0x80 | (c & 0x3F));
    } else {
        byte(0xF0 | c >> 18);
        byte(0x80 | (c >> 12 & 0x3F));
        byte(0x80 | (c >> 6 & 0x3F));
        byte(0x80 | (c & 0x3F));
    }
}

void AppendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out.push_back(static_cast<char16_t>(c));
    } else {
        c -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 | c >> 10));
        out.push_back(static_cast<char16_t>(0xDC00 | (c & 0x3FF)));
    }
}

// The shape of a UTF-8 sequence, told by its first byte.
struct Lead {
    std::size_t extra = 0; // continuation bytes that follow
    char32_t bits = 0;     // the value bits of the first byte
    char32_t least = 0;    // the smallest value this length may encode
};

std::optional<Lead> LeadOf(unsigned char byte) {
    if (byte < 0x80) {
        return Lead{0, byte, 0};
    }
    if (byte >= 0xC2 && byte <= 0xDF) {
        return Lead{1, byte & 0x1Fu, 0x80};
    }
    if (byte >= 0xE0 && byte <= 0xEF) {
        return Lead{2, byte & 0x0Fu, 0x800};
    }
    if (byte >= 0xF0 && byte <= 0xF4) {
        return Lead{3, byte & 0x07u, 0x10000};
    }
    return std::nullopt;
}

// Decodes one UTF-8 sequence at `at`, advancing it; U+FFFD for a byte that
// starts no valid sequence (which then counts alone).
char32_t DecodeUtf8(std::string_view text, std::size_t& at) {
    const auto lead = LeadOf(static_cast<unsigned char>(text[at++]));
    if (!lead) {
        return kReplacement;
    }
    if (text.size() - at < lead->extra) {
        return kReplacement;
    }
    char32_t c = lead->bits;
    for (std::size_t i = 0; i < lead->extra; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) {
            return kReplacement;
        }
        c = c << 6 | (next & 0x3Fu);
    }
    if (c < lead->least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return kReplacement;
    }
    at += lead->extra;
    return c;
}

} // namespace

std::string Utf16LeToUtf8(std::span<const std::byte> text) {
    std::string out;
    out.reserve(text.size() / 2);
    const std::size_t units = text.size() / 2;
    for (std::size_t i = 0; i < units; ++i) {
        const char32_t unit = LoadU16(text, 2 * i);
        if (IsHighSurrogate(unit) && i + 1 < units && IsLowSurrogate(LoadU16(text, 2 * i + 2))) {
            const char32_t low = LoadU16(text, 2 * ++i);
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            AppendUtf8(out, kReplacement);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        AppendUtf16(out, DecodeUtf8(text, at));
    }
    return out;
}

} // namespace twinvane::platform::posix
