// SPDX-License-Identifier: MIT
#include "LineEscape.h"

namespace twinvane {
namespace {

void AppendHex(std::string& out, unsigned char byte) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    out += "\\x";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0x0F];
}

// The second byte of a two-byte UTF-8 sequence that starts with 0xC2 and
// encodes a C1 control, which some terminals obey as they obey ESC.
bool IsC1Continuation(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F;
}

} // namespace

std::string EscapeForLine(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\\') {
            out += "\\\\";
        } else if (byte == '\n') {
            out += "\\n";
        } else if (byte == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            AppendHex(out, byte);
        } else if (byte == 0xC2 && i + 1 < text.size() &&
                   IsC1Continuation(static_cast<unsigned char>(text[i + 1]))) {
            AppendHex(out, byte);
            AppendHex(out, static_cast<unsigned char>(text[++i]));
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace twinvane
