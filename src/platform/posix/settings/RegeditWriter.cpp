// SPDX-License-Identifier: MIT
#include "RegeditFormat.h"

#include <algorithm>
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

std::string Printed(const char* format, std::uint32_t number) {
    char text[24];
    return {text, static_cast<std::size_t>(std::snprintf(text, sizeof text, format, number))};
}

// A text that reads back unchanged from the "quoted" form: exactly one zero
// byte, at the end, and no line break that would split the line.
bool FitsQuotedForm(const RegistryValue& value) {
    const std::string_view data = value.data;
    return value.type == kRegSz && data.ends_with('\0') &&
           std::none_of(data.begin(), data.end() - 1,
                        [](char c) { return c == '\0' || c == '\r' || c == '\n'; });
}

// `out` ends with the start of the line, from `lineStart` on.
void AppendHex(std::string& out, std::size_t lineStart, std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::size_t piece = i + 1 < bytes.size() ? 3 : 2;
        // Room is kept for the "\" that continues the line.
        if (i > 0 && out.size() - lineStart + piece + 1 > kLineWidth) {
            out += "\\\n  ";
            lineStart = out.size() - 2;
        }
        const auto byte = static_cast<unsigned char>(bytes[i]);
        out += kHexDigits[byte >> 4];
        out += kHexDigits[byte & 0xF];
        if (piece == 3) {
            out += ',';
        }
    }
    out += '\n';
}

void AppendValue(std::string& out, const RegistryDocument::NamedValue& entry) {
    const std::size_t lineStart = out.size();
    if (entry.name.empty()) {
        out += '@';
    } else {
        AppendQuoted(out, entry.name);
    }
    out += '=';
    const RegistryValue& value = entry.value;
    if (FitsQuotedForm(value)) {
        AppendQuoted(out, std::string_view(value.data).substr(0, value.data.size() - 1));
        out += '\n';
    } else if (value.type == kRegDword && value.data.size() == 4) {
        std::uint32_t number = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            number |= std::uint32_t{static_cast<unsigned char>(value.data[i])} << (8 * i);
        }
        out += Printed("dword:%08x\n", number);
    } else {
        out += value.type == kRegBinary ? "hex:" : Printed("hex(%x):", value.type);
        AppendHex(out, lineStart, value.data);
    }
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
