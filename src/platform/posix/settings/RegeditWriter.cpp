// SPDX-License-Identifier: MIT
#include "RegeditFormat.h"

#include <cstdint>
#include <cstdio>

namespace twinvane::platform::posix {
namespace {

// The registry editor breaks hex data so that no line passes 80 columns.
constexpr std::size_t kLineWidth = 80;
constexpr std::string_view kHexDigits = "0123456789abcdef";

void AppendQuoted(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
        if (c == '\\' || c == '"') {
            out += '\\';
        }
        out += c;
    }
    out += '"';
}

// A text that reads back unchanged from the "quoted" form: one zero byte, at
// the end, before which it holds nothing a value name may not (line breaks).
bool FitsQuotedForm(const RegistryValue& value) {
    const std::string_view data = value.data;
    return value.type == kRegSz && data.ends_with('\0') &&
           IsValidValueName(data.substr(0, data.size() - 1));
}

void AppendValue(std::string& out, const RegistryDocument::NamedValue& entry) {
    std::size_t lineStart = out.size();
    if (entry.name.empty()) {
        out += '@';
    } else {
        AppendQuoted(out, entry.name);
    }
    const std::string_view data = entry.value.data;
    char text[24];
    if (FitsQuotedForm(entry.value)) {
        AppendQuoted(out += '=', data.substr(0, data.size() - 1));
    } else if (entry.value.type == kRegDword && data.size() == 4) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(data.data()); // little-endian
        out.append(text, static_cast<std::size_t>(std::snprintf(text, sizeof text,
                                                                "=dword:%02x%02x%02x%02x", bytes[3],
                                                                bytes[2], bytes[1], bytes[0])));
    } else {
        if (entry.value.type == kRegBinary) {
            out += "=hex:";
        } else {
            out.append(text, static_cast<std::size_t>(
                                 std::snprintf(text, sizeof text, "=hex(%x):", entry.value.type)));
        }
        for (std::size_t i = 0; i < data.size(); ++i) {
            const std::size_t piece = i + 1 < data.size() ? 3 : 2;
            // Room is kept for the "\" that continues the line.
            if (i > 0 && out.size() - lineStart + piece + 1 > kLineWidth) {
                out += "\\\n  ";
                lineStart = out.size() - 2;
            }
            const auto byte = static_cast<unsigned char>(data[i]);
            const char digits[] = {kHexDigits[byte >> 4], kHexDigits[byte & 0xF], ','};
            out.append(digits, piece);
        }
    }
    out += '\n';
}

} // namespace

std::string WriteRegedit(const RegistryDocument& document) {
    std::string out = "REGEDIT4\n";
    for (const auto& key : document.Keys()) {
        out.append("\n[").append(key.path).append("]\n");
        for (const auto& entry : key.values) {
            AppendValue(out, entry);
        }
    }
    out += '\n';
    return out;
}

} // namespace twinvane::platform::posix
