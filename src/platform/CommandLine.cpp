// SPDX-License-Identifier: MIT
#include "CommandLine.h"

namespace twinvane::platform {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::size_t CountBackslashes(std::string_view text, std::size_t from) {
    std::size_t count = 0;
    while (from + count < text.size() && text[from + count] == '\\') {
        ++count;
    }
    return count;
}

} // namespace

std::vector<std::string> SplitCommandLine(std::string_view text) {
    std::vector<std::string> arguments;
    std::string current;
    bool inQuotes = false;
    bool haveArgument = false;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\\') {
            const std::size_t count = CountBackslashes(text, i);
            const bool beforeQuote = i + count < text.size() && text[i + count] == '"';
            if (beforeQuote) {
                current.append(count / 2, '\\');
                if (count % 2 == 1) {
                    current += '"';
                    ++i; // the escaped quote is consumed here
                }
            } else {
                current.append(count, '\\');
            }
            i += count;
            haveArgument = true;
        } else if (c == '"') {
            haveArgument = true;
            if (inQuotes && i + 1 < text.size() && text[i + 1] == '"') {
                current += '"';
                i += 2;
            } else {
                inQuotes = !inQuotes;
                ++i;
            }
        } else if (IsBlank(c) && !inQuotes) {
            if (haveArgument) {
                arguments.push_back(std::move(current));
                current.clear();
                haveArgument = false;
            }
            ++i;
        } else {
            current += c;
            haveArgument = true;
            ++i;
        }
    }
    if (haveArgument) {
        arguments.push_back(std::move(current));
    }
    return arguments;
}

std::string QuoteArgument(std::string_view argument) {
    std::string quoted = "\"";
    std::size_t i = 0;
    while (i < argument.size()) {
        const std::size_t count = CountBackslashes(argument, i);
        if (count > 0) {
            const bool atEnd = i + count == argument.size();
            const bool beforeQuote = !atEnd && argument[i + count] == '"';
            quoted.append(atEnd || beforeQuote ? 2 * count : count, '\\');
            i += count;
            continue;
        }
        if (argument[i] == '"') {
            quoted += "\\\"";
        } else {
            quoted += argument[i];
        }
        ++i;
    }
    quoted += '"';
    return quoted;
}

std::optional<char> CharacterTheInterpreterAlters(std::string_view argument) {
    constexpr std::string_view kAltered = "%!\"&|<>^\r\n";
    const auto at = argument.find_first_of(kAltered);
    return at == std::string_view::npos ? std::nullopt : std::optional(argument[at]);
}

} // namespace twinvane::platform
