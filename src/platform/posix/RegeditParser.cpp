// SPDX-License-Identifier: MIT
#include "RegeditFormat.h"

#include "platform/AsciiText.h"

#include <cstdint>
#include <optional>

namespace twinvane::platform::posix {
namespace {

constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

constexpr std::string_view TrimLeft(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

constexpr std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

constexpr std::string_view Trim(std::string_view text) {
    return TrimRight(TrimLeft(text));
}

bool StartsWithWord(std::string_view text, std::string_view word) {
    return text.size() >= word.size() && LowerAscii(text.substr(0, word.size())) == word;
}

// 1 to `maxDigits` hexadecimal digits and nothing else.
std::optional<std::uint32_t> ParseHexNumber(std::string_view digits, std::size_t maxDigits) {
    if (digits.empty() || digits.size() > maxDigits) {
        return std::nullopt;
    }
    std::uint32_t number = 0;
    for (const char c : digits) {
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            return std::nullopt;
        }
        number = number * 16 + static_cast<std::uint32_t>(digit);
    }
    return number;
}

// The file's physical lines, without their LF or CRLF ends.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}

    bool Next(std::string_view& line) {
        if (position_ >= text_.size()) {
            return false;
        }
        const std::size_t end = std::min(text_.find('\n', position_), text_.size());
        line = text_.substr(position_, end - position_);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        position_ = end + 1;
        ++number_;
        return true;
    }

    std::size_t Number() const { return number_; }

private:
    std::string_view text_;
    std::size_t position_ = 0;
    std::size_t number_ = 0;
};

// A quoted text at the start of `text`, with \\ and \" unescaped: a view
// into `text` when it holds no escape, else into `unescaped`. Any other
// backslash stands for itself, as in the paths people type by hand.
std::string_view ReadQuoted(std::string_view text, std::string_view& rest, std::string& unescaped,
                            std::size_t line) {
    bool escaped = false;
    std::size_t run = 1; // where the bytes not yet copied to `unescaped` start
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] == '"') {
            rest = text.substr(i + 1);
            if (!escaped) {
                return text.substr(1, i - 1);
            }
            unescaped.append(text, run, i - run);
            return unescaped;
        }
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == '\\' || text[i + 1] == '"')) {
            escaped = true;
            unescaped.append(text, run, i - run);
            run = ++i; // the escaped byte starts the next run
        }
    }
    throw RegeditParseError(line, "a quoted text lacks its closing quote");
}

std::string ParseHexBytes(std::string_view list, std::size_t line) {
    std::string bytes;
    list = Trim(list);
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        const std::string_view token = Trim(list.substr(0, comma));
        const auto byte = ParseHexNumber(token, 2);
        if (!byte) {
            throw RegeditParseError(line,
                                    "\"" + std::string(token) + "\" is not a hexadecimal byte");
        }
        bytes += static_cast<char>(*byte);
        list = comma == std::string_view::npos ? std::string_view() : Trim(list.substr(comma + 1));
    }
    return bytes;
}

// hex: or hex(type): data, which may go on over lines that end in "\".
RegistryValue ParseHexData(std::string_view data, LineReader& lines, std::size_t line) {
    RegistryValue value{kRegBinary, {}};
    data.remove_prefix(3);
    if (data.starts_with('(')) {
        const std::size_t close = data.find(')');
        const auto type = close == std::string_view::npos
                              ? std::nullopt
                              : ParseHexNumber(Trim(data.substr(1, close - 1)), 8);
        if (!type) {
            throw RegeditParseError(line, "a hex(type) without a valid type number");
        }
        value.type = *type;
        data.remove_prefix(close + 1);
    }
    if (!data.starts_with(':')) {
        throw RegeditParseError(line, "\":\" expected after hex");
    }
    std::string list(TrimRight(data.substr(1)));
    while (list.ends_with('\\')) {
        list.pop_back();
        std::string_view next;
        if (!lines.Next(next)) {
            throw RegeditParseError(line, "the file ends inside continued hex data");
        }
        list += Trim(next);
    }
    value.data = ParseHexBytes(list, line);
    return value;
}

// The data of a value line after its "=", other than the "-" of a removal.
RegistryValue ParseData(std::string_view data, LineReader& lines, std::size_t line) {
    if (data.starts_with('"')) {
        std::string_view after;
        std::string unescaped;
        const std::string_view quoted = ReadQuoted(data, after, unescaped, line);
        if (!Trim(after).empty()) {
            throw RegeditParseError(line, "unexpected text after the closing quote");
        }
        std::string text;
        text.reserve(quoted.size() + 1);
        text.append(quoted);
        text += '\0'; // the zero byte that ends a stored text
        return {kRegSz, std::move(text)};
    }
    if (StartsWithWord(data, "dword:")) {
        const auto number = ParseHexNumber(Trim(data.substr(6)), 8);
        if (!number) {
            throw RegeditParseError(line, "a dword needs 1 to 8 hexadecimal digits");
        }
        std::string bytes(4, '\0');
        for (std::size_t i = 0; i < 4; ++i) {
            bytes[i] = static_cast<char>((*number >> (8 * i)) & 0xFF);
        }
        return {kRegDword, std::move(bytes)};
    }
    if (StartsWithWord(data, "hex")) {
        return ParseHexData(data, lines, line);
    }
    throw RegeditParseError(line, "unknown kind of value data");
}

// `values` is where the line's value goes: null before the first [key] line
// (`afterKey` false), where a value is an error, and after a removal, where
// it is ignored as on import.
void ParseValueLine(std::string_view text, bool afterKey, ValueList* values, LineReader& lines) {
    const std::size_t line = lines.Number();
    std::string unescapedName;
    std::string_view name;
    std::string_view rest = text.substr(1);
    if (text.front() == '"') {
        name = ReadQuoted(text, rest, unescapedName, line);
        if (!IsValidValueName(name)) {
            throw RegeditParseError(line, "a value name holds a zero byte");
        }
    }
    rest = TrimLeft(rest);
    if (!rest.starts_with('=')) {
        throw RegeditParseError(line, "\"=\" expected after the value name");
    }
    const std::string_view data = Trim(rest.substr(1));
    std::optional<RegistryValue> value;
    if (data != "-") {
        value = ParseData(data, lines, line);
    }
    if (!afterKey) {
        throw RegeditParseError(line, "a value before any [key] line");
    }
    if (values != nullptr && value) {
        values->Set(name, std::move(*value));
    } else if (values != nullptr) {
        values->Erase(name);
    }
}

// Returns where the following values go: nowhere after a removal.
ValueList* ParseKeyLine(std::string_view text, std::size_t line, RegistryDocument& document) {
    if (!text.ends_with(']')) {
        throw RegeditParseError(line, "a [key] line lacks its closing \"]\"");
    }
    std::string_view path = text.substr(1, text.size() - 2);
    const bool remove = path.starts_with('-');
    if (remove) {
        path.remove_prefix(1);
    }
    if (!IsValidKeyPath(path)) {
        throw RegeditParseError(line, "\"" + std::string(path) + "\" is not a valid key name");
    }
    if (remove) {
        document.DeleteKey(path);
        return nullptr;
    }
    return &document.StoreKey(path);
}

} // namespace

RegistryDocument ParseRegedit(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3); // a UTF-8 byte order mark
    }
    LineReader lines(text);
    std::string_view line;
    if (!lines.Next(line) || TrimRight(line) != "REGEDIT4") {
        throw RegeditParseError(1, "the first line is not \"REGEDIT4\"");
    }
    RegistryDocument document;
    bool afterKey = false;
    ValueList* values = nullptr;
    while (lines.Next(line)) {
        const std::string_view content = Trim(line);
        if (content.empty() || content.front() == ';') {
            continue;
        }
        if (content.front() == '[') {
            values = ParseKeyLine(content, lines.Number(), document);
            afterKey = true;
        } else if (content.front() == '"' || content.front() == '@') {
            ParseValueLine(content, afterKey, values, lines);
        } else {
            throw RegeditParseError(lines.Number(), "a line that is neither a [key] nor a value");
        }
    }
    return document;
}

} // namespace twinvane::platform::posix
