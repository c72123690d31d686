// SPDX-License-Identifier: MIT
#include "RegeditFormat.h"

#include "platform/AsciiText.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <utility>

namespace twinvane::platform::posix {
namespace {

constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// Plain loops, not find_first_not_of, which calls memchr for every byte.
constexpr std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// 1 to `maxDigits` hexadecimal digits and nothing else.
std::optional<std::uint32_t> ParseHexNumber(std::string_view digits, std::size_t maxDigits) {
    std::uint32_t number = 0;
    const char* end = digits.data() + digits.size();
    const auto parsed = std::from_chars(digits.data(), end, number, 16);
    return !digits.empty() && digits.size() <= maxDigits && parsed.ptr == end
               ? std::optional(number)
               : std::nullopt;
}

// Reads the file's physical lines (LF or CRLF) into a document, in one pass.
class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    RegistryDocument Parse() {
        std::string_view line;
        Expect(NextLine(line) && line.starts_with("REGEDIT4") && Trim(line.substr(8)).empty(),
               "the first line is not \"REGEDIT4\"");
        while (NextLine(line)) {
            const std::string_view content = Trim(line);
            if (content.starts_with('[')) {
                ParseKeyLine(content);
            } else if (content.starts_with('"') || content.starts_with('@')) {
                ParseValueLine(content);
            } else {
                Expect(content.empty() || content.starts_with(';'),
                       "a line that is neither a [key] nor a value");
            }
        }
        return std::move(document_);
    }

private:
    [[noreturn]] void Fail(const std::string& reason) const {
        throw RegeditParseError(std::max<std::size_t>(line_, 1), reason);
    }
    // Raises `reason` for the line read last unless `holds`.
    void Expect(bool holds, const char* reason) const {
        if (!holds) {
            Fail(reason);
        }
    }

    bool NextLine(std::string_view& line) {
        if (position_ >= text_.size()) {
            return false;
        }
        const std::size_t end = std::min(text_.find('\n', position_), text_.size());
        line = text_.substr(position_, end - position_);
        line.remove_suffix(line.ends_with('\r') ? 1 : 0);
        position_ = end + 1;
        ++line_;
        return true;
    }

    // A quoted text at the start of `text`, with \\ and \" unescaped: a view
    // into `text` when it holds no escape, else into `unescaped`. Any other
    // backslash stands for itself, as in the paths people type by hand.
    std::string_view ReadQuoted(std::string_view text, std::string_view& rest,
                                std::string& unescaped) const {
        // `run`: where the bytes not yet copied to `unescaped` start.
        for (std::size_t i = 1, run = 1; i < text.size(); ++i) {
            if (text[i] == '"') {
                rest = text.substr(i + 1);
                return run == 1 ? text.substr(1, i - 1) : unescaped.append(text, run, i - run);
            }
            if (text[i] == '\\' && i + 1 < text.size() &&
                (text[i + 1] == '\\' || text[i + 1] == '"')) {
                unescaped.append(text, run, i - run);
                run = ++i; // the escaped byte starts the next run
            }
        }
        Fail("a quoted text lacks its closing quote");
    }

    // hex: or hex(type): data after "hex", which may go on over lines that
    // end in "\".
    RegistryValue ParseHexData(std::string_view data) {
        RegistryValue value{kRegBinary, {}};
        if (data.starts_with('(')) {
            const std::size_t close = data.find(')');
            const auto type = ParseHexNumber(Trim(data.substr(1, close - 1)), 8);
            Expect(close != std::string_view::npos && type.has_value(),
                   "a hex(type) without a valid type number");
            value.type = *type;
            data.remove_prefix(close + 1);
        }
        Expect(data.starts_with(':'), "\":\" expected after hex");
        const std::size_t first = line_;
        std::string list(Trim(data.substr(1)));
        for (std::string_view next; list.ends_with('\\'); list += Trim(next)) {
            list.pop_back();
            Expect(NextLine(next), "the file ends inside continued hex data");
        }
        const std::size_t last = std::exchange(line_, first); // bad bytes are the value's
        for (std::string_view rest = Trim(list); !rest.empty();) {
            const std::size_t comma = rest.find(',');
            const std::string_view token = Trim(rest.substr(0, comma));
            const auto byte = ParseHexNumber(token, 2);
            if (!byte) {
                Fail("\"" + std::string(token) + "\" is not a hexadecimal byte");
            }
            value.data += static_cast<char>(*byte);
            rest = comma == std::string_view::npos ? "" : Trim(rest.substr(comma + 1));
        }
        line_ = last;
        return value;
    }

    // Reads the data of a value line after its "=" (not the "-" of a removal)
    // into `value`, where it stays: moving one there showed in load times.
    void ParseData(std::string_view data, RegistryValue& value) {
        if (data.starts_with('"')) {
            std::string_view after;
            std::string unescaped;
            const std::string_view quoted = ReadQuoted(data, after, unescaped);
            Expect(Trim(after).empty(), "unexpected text after the closing quote");
            value.type = kRegSz;
            value.data.assign(quoted).push_back('\0'); // the zero byte that ends a stored text
        } else if (LowerAscii(data.substr(0, 6)) == "dword:") {
            const auto number = ParseHexNumber(Trim(data.substr(6)), 8);
            Expect(number.has_value(), "a dword needs 1 to 8 hexadecimal digits");
            const std::uint32_t n = *number; // stored little-endian
            value = {kRegDword,
                     {char(n & 0xFF), char(n >> 8 & 0xFF), char(n >> 16 & 0xFF), char(n >> 24)}};
        } else if (LowerAscii(data.substr(0, 3)) == "hex") {
            value = ParseHexData(data.substr(3));
        } else {
            Fail("unknown kind of value data");
        }
    }

    void ParseValueLine(std::string_view text) {
        std::string unescapedName;
        std::string_view name;
        std::string_view rest = text.substr(1);
        if (text.front() == '"') {
            name = ReadQuoted(text, rest, unescapedName);
            Expect(IsValidValueName(name), "a value name holds a zero byte");
        }
        rest = Trim(rest);
        Expect(rest.starts_with('='), "\"=\" expected after the value name");
        const std::string_view data = Trim(rest.substr(1));
        Expect(values_ != nullptr, "a value before any [key] line");
        if (data == "-") {
            values_->Erase(name);
        } else {
            ParseData(data, values_->Ensure(name).first.value);
        }
    }

    void ParseKeyLine(std::string_view text) {
        Expect(text.ends_with(']'), "a [key] line lacks its closing \"]\"");
        std::string_view path = text.substr(1, text.size() - 2);
        const bool remove = path.starts_with('-');
        path.remove_prefix(remove ? 1 : 0);
        if (!IsValidKeyPath(path)) {
            Fail("\"" + std::string(path) + "\" is not a valid key name");
        }
        if (remove) {
            document_.DeleteKey(path);
            ignored_ = {}; // the values after a removal go here, as an import ignores them
        }
        values_ = remove ? &ignored_ : &document_.StoreKey(path);
    }

    std::string_view text_;
    std::size_t position_ = 0;
    std::size_t line_ = 0;
    RegistryDocument document_;
    ValueList ignored_;
    ValueList* values_ = nullptr; // where value lines go; null before any [key] line
};

} // namespace

RegistryDocument ParseRegedit(std::string_view text) {
    text.remove_prefix(text.starts_with("\xEF\xBB\xBF") ? 3 : 0); // a UTF-8 byte order mark
    return Parser(text).Parse();
}

} // namespace twinvane::platform::posix
