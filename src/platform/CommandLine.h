// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace twinvane::platform {

// Splits a parameter text into arguments by the Windows command-line rules:
// blanks separate arguments outside double quotes; 2n backslashes before a
// quote give n backslashes and the quote opens or closes quoting; 2n+1
// backslashes before a quote give n backslashes and a literal quote; other
// backslashes are literal; "" inside quotes gives a literal quote.
std::vector<std::string> SplitCommandLine(std::string_view text);

// Quotes one argument so that SplitCommandLine gives it back exactly: the
// text is wrapped in double quotes, an inner quote becomes \" and the
// backslashes before an inner quote or before the closing quote are doubled.
// A text without quotes or a trailing backslash is simply wrapped in quotes.
std::string QuoteArgument(std::string_view argument);

// The first character of `argument` that the command interpreter running a
// batch file would alter or act on even inside double quotes ("%" expands a
// variable, "!" a delayed one, a quote ends the quoting so that "&", "|",
// "<", ">" and "^" act, a line break ends the command); nothing when the
// argument reaches the batch file as it is.
std::optional<char> CharacterTheInterpreterAlters(std::string_view argument);

} // namespace twinvane::platform
