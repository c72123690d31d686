// SPDX-License-Identifier: MIT
#include "RcVersionScript.h"

#include <cctype>
#include <cstdint>
#include <optional>
#include <vector>

namespace twinvane::versiongen {
namespace {

struct Token {
    enum class Kind { Word, String, Comma, Begin, End, Finish } kind = Kind::Finish;
    std::string text;
    int line = 1;
};

class Tokenizer {
public:
    explicit Tokenizer(std::string_view script) : script_(script) {}

    Token Next();

private:
    void SkipSpaceAndComments();
    std::string ReadString();

    std::string_view script_;
    std::size_t at_ = 0;
    int line_ = 1;
};

void Tokenizer::SkipSpaceAndComments() {
    while (at_ < script_.size()) {
        const char c = script_[at_];
        if (c == '\n') {
            ++line_;
            ++at_;
        } else if (std::isspace(static_cast<unsigned char>(c))) {
            ++at_;
        } else if (script_.substr(at_, 2) == "//") {
            at_ = std::min(script_.find('\n', at_), script_.size());
        } else if (script_.substr(at_, 2) == "/*") {
            const std::size_t close = script_.find("*/", at_ + 2);
            if (close == std::string_view::npos) {
                throw ScriptError(line_, "a comment is not closed");
            }
            for (std::size_t i = at_; i < close; ++i) {
                line_ += script_[i] == '\n' ? 1 : 0;
            }
            at_ = close + 2;
        } else {
            return;
        }
    }
}

// A quoted string; "" inside it stands for one quote, as in resource scripts.
std::string Tokenizer::ReadString() {
    std::string text;
    for (++at_;; ++at_) {
        if (at_ >= script_.size() || script_[at_] == '\n') {
            throw ScriptError(line_, "a string is not closed");
        }
        const char c = script_[at_];
        if (c == '"') {
            if (at_ + 1 < script_.size() && script_[at_ + 1] == '"') {
                text += '"';
                ++at_;
                continue;
            }
            ++at_;
            return text;
        }
        if (c == '\\') {
            throw ScriptError(line_, "escape sequences are not supported");
        }
        if (static_cast<unsigned char>(c) >= 0x80 || std::iscntrl(static_cast<unsigned char>(c))) {
            throw ScriptError(line_, "only printable ASCII text is supported");
        }
        text += c;
    }
}

Token Tokenizer::Next() {
    SkipSpaceAndComments();
    Token token;
    token.line = line_;
    if (at_ >= script_.size()) {
        return token;
    }
    const char c = script_[at_];
    if (c == '"') {
        token.kind = Token::Kind::String;
        token.text = ReadString();
    } else if (c == ',') {
        token.kind = Token::Kind::Comma;
        ++at_;
    } else if (c == '{' || c == '}') {
        token.kind = c == '{' ? Token::Kind::Begin : Token::Kind::End;
        ++at_;
    } else if (std::isalnum(static_cast<unsigned char>(c)) || c == '_') {
        const std::size_t begin = at_;
        while (at_ < script_.size() &&
               (std::isalnum(static_cast<unsigned char>(script_[at_])) || script_[at_] == '_')) {
            ++at_;
        }
        token.text = std::string(script_.substr(begin, at_ - begin));
        token.kind = token.text == "BEGIN" ? Token::Kind::Begin
                     : token.text == "END" ? Token::Kind::End
                                           : Token::Kind::Word;
    } else {
        throw ScriptError(line_, std::string("unexpected character '") + c + "'");
    }
    return token;
}

struct Number {
    std::uint32_t value = 0;
    bool isLong = false;
};

std::optional<Number> ParseNumber(const std::string& word) {
    std::string digits = word;
    Number number;
    if (!digits.empty() && (digits.back() == 'L' || digits.back() == 'l')) {
        number.isLong = true;
        digits.pop_back();
    }
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits = digits.substr(2);
    }
    if (digits.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : digits) {
        const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                          : base == 16 && std::isxdigit(static_cast<unsigned char>(c))
                              ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
                              : -1;
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
        if (value > 0xFFFFFFFF) {
            return std::nullopt;
        }
    }
    number.value = static_cast<std::uint32_t>(value);
    return number;
}

class Parser {
public:
    explicit Parser(std::string_view script) : tokens_(script) { Advance(); }

    VersionNode ParseVersionInfo();

private:
    void Advance() { current_ = tokens_.Next(); }
    [[noreturn]] void Fail(const std::string& message) const {
        throw ScriptError(current_.line, message);
    }
    void Expect(Token::Kind kind, const char* what);
    std::uint32_t ExpectNumber();
    std::string ExpectString();
    void ParseFixed(FixedFileInfo& fixed);
    std::vector<VersionNode> ParseItems();
    VersionNode ParseValue(std::string key);

    Tokenizer tokens_;
    Token current_;
};

void Parser::Expect(Token::Kind kind, const char* what) {
    if (current_.kind != kind) {
        Fail(std::string("expected ") + what);
    }
    Advance();
}

std::uint32_t Parser::ExpectNumber() {
    const auto number =
        current_.kind == Token::Kind::Word ? ParseNumber(current_.text) : std::nullopt;
    if (!number) {
        Fail("expected a number");
    }
    Advance();
    return number->value;
}

std::string Parser::ExpectString() {
    if (current_.kind != Token::Kind::String) {
        Fail("expected a quoted string");
    }
    std::string text = current_.text;
    Advance();
    return text;
}

void Parser::ParseFixed(FixedFileInfo& fixed) {
    const std::string statement = current_.text;
    Advance();
    if (statement == "FILEVERSION" || statement == "PRODUCTVERSION") {
        std::uint32_t parts[4] = {};
        for (int i = 0; i < 4; ++i) {
            if (i > 0) {
                Expect(Token::Kind::Comma, "a comma");
            }
            parts[i] = ExpectNumber() & 0xFFFF;
        }
        const std::uint32_t ms = parts[0] << 16 | parts[1];
        const std::uint32_t ls = parts[2] << 16 | parts[3];
        (statement == "FILEVERSION" ? fixed.fileVersionMs : fixed.productVersionMs) = ms;
        (statement == "FILEVERSION" ? fixed.fileVersionLs : fixed.productVersionLs) = ls;
    } else if (statement == "FILEFLAGSMASK") {
        fixed.flagsMask = ExpectNumber();
    } else if (statement == "FILEFLAGS") {
        fixed.flags = ExpectNumber();
    } else if (statement == "FILEOS") {
        fixed.os = ExpectNumber();
    } else if (statement == "FILETYPE") {
        fixed.type = ExpectNumber();
    } else if (statement == "FILESUBTYPE") {
        fixed.subtype = ExpectNumber();
    } else {
        Fail("unsupported statement " + statement);
    }
}

VersionNode Parser::ParseValue(std::string key) {
    if (current_.kind != Token::Kind::Comma) {
        Fail("expected a comma and the value of \"" + key + "\"");
    }
    Advance();
    if (current_.kind == Token::Kind::String) {
        const std::string text = ExpectString();
        return TextValue(std::move(key), std::u16string(text.begin(), text.end()));
    }
    std::vector<std::uint16_t> words;
    for (;;) {
        const auto number =
            current_.kind == Token::Kind::Word ? ParseNumber(current_.text) : std::nullopt;
        if (!number) {
            Fail("expected a string or numbers as the value of \"" + key + "\"");
        }
        Advance();
        words.push_back(static_cast<std::uint16_t>(number->value & 0xFFFF));
        if (number->isLong) {
            words.push_back(static_cast<std::uint16_t>(number->value >> 16));
        }
        if (current_.kind != Token::Kind::Comma) {
            return WordsValue(std::move(key), words);
        }
        Advance();
    }
}

std::vector<VersionNode> Parser::ParseItems() {
    Expect(Token::Kind::Begin, "BEGIN");
    std::vector<VersionNode> items;
    while (current_.kind != Token::Kind::End) {
        const std::string statement = current_.text;
        if (current_.kind != Token::Kind::Word || (statement != "BLOCK" && statement != "VALUE")) {
            Fail("expected BLOCK, VALUE or END");
        }
        Advance();
        std::string key = ExpectString();
        if (statement == "BLOCK") {
            items.push_back(BlockNode(std::move(key), ParseItems()));
        } else {
            items.push_back(ParseValue(std::move(key)));
        }
    }
    Advance();
    return items;
}

VersionNode Parser::ParseVersionInfo() {
    if (current_.kind != Token::Kind::Word || current_.text != "1") {
        Fail("expected the resource name 1");
    }
    Advance();
    if (current_.kind != Token::Kind::Word || current_.text != "VERSIONINFO") {
        Fail("expected VERSIONINFO");
    }
    Advance();
    FixedFileInfo fixed;
    while (current_.kind == Token::Kind::Word) {
        ParseFixed(fixed);
    }
    VersionNode root = RootNode(fixed, ParseItems());
    if (current_.kind != Token::Kind::Finish) {
        Fail("expected the end of the script");
    }
    return root;
}

} // namespace

VersionNode ReadVersionScript(std::string_view script) {
    return Parser(script).ParseVersionInfo();
}

} // namespace twinvane::versiongen
