// SPDX-License-Identifier: MIT
#include "RegeditFormat.h"

#include <cstdint>

namespace twinvane::platform::posix {
namespace {

// The registry editor breaks hex data so that no line passes 80 columns.
constexpr std::size_t kLineWidth = 80;
constexpr std::string_view kHexDigits = "0123456789abcdef";

std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"') {
            quoted += '\\';
        }
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string HexNumber(std::uint32_t number, std::size_t minDigits) {
    std::string digits;
    do {
        digits.insert(digits.begin(), kHexDigits[number & 0xF]);
        number >>= 4;
    } while (number != 0);
    if (digits.size() < minDigits) {
        digits.insert(0, minDigits - digits.size(), '0');
    }
    return digits;
}

// A text that reads back unchanged from the "quoted" form: exactly one zero
// byte, at the end, and no line break that would split the line.
bool FitsQuotedForm(const RegistryValue& value) {
    const std::string_view data = value.data;
    return value.type == kRegSz && !data.empty() && data.back() == '\0' &&
           data.substr(0, data.size() - 1).find_first_of(std::string_view("\0\r\n", 3)) ==
               std::string_view::npos;
}

void AppendHex(std::string& out, std::string line, std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        std::string piece{kHexDigits[byte >> 4], kHexDigits[byte & 0xF]};
        if (i + 1 < bytes.size()) {
            piece += ',';
        }
        // Room is kept for the "\" that continues the line.
        if (i > 0 && line.size() + piece.size() + 1 > kLineWidth) {
            out += line;
            out += "\\\n";
            line = "  ";
        }
        line += piece;
    }
    out += line;
    out += '\n';
}

void AppendValue(std::string& out, const RegistryDocument::NamedValue& entry) {
    std::string line = entry.name.empty() ? "@" : Quoted(entry.name);
    line += '=';
    const RegistryValue& value = entry.value;
    if (FitsQuotedForm(value)) {
        out += line + Quoted(std::string_view(value.data).substr(0, value.data.size() - 1)) + '\n';
    } else if (value.type == kRegDword && value.data.size() == 4) {
        std::uint32_t number = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            number |= static_cast<std::uint32_t>(static_cast<unsigned char>(value.data[i]))
                      << (8 * i);
        }
        out += line + "dword:" + HexNumber(number, 8) + '\n';
    } else if (value.type == kRegBinary) {
        AppendHex(out, line + "hex:", value.data);
    } else {
        AppendHex(out, line + "hex(" + HexNumber(value.type, 1) + "):", value.data);
    }
}

} // namespace

std::string WriteRegedit(const RegistryDocument& document) {
    std::string out = "REGEDIT4\n";
    for (const auto& key : document.Keys()) {
        out += "\n[" + key.path + "]\n";
        for (const auto& entry : key.values) {
            AppendValue(out, entry);
        }
    }
    out += '\n';
    return out;
}

} // namespace twinvane::platform::posix
