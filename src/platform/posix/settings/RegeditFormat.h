// SPDX-License-Identifier: MIT
#pragma once

#include "RegistryDocument.h"

#include "platform/Exception.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace twinvane::platform::posix {

// A REGEDIT4 text that does not parse: where, and why.
class RegeditParseError : public Exception {
public:
    RegeditParseError(std::size_t line, const std::string& reason)
        : Exception("line " + std::to_string(line) + ": " + reason), line_(line) {}

    std::size_t Line() const noexcept { return line_; }

private:
    std::size_t line_;
};

// Reads a registry file in the REGEDIT4 form Windows' registry editor
// exports: the "REGEDIT4" first line, [key] lines, "name"=data lines with
// "text", dword:, hex: and hex(type): data, comments, blank lines, CRLF or
// LF line ends and hex data continued over lines ending in a backslash.
// [-key] and "name"=- remove what they name, as an import would. Raises
// RegeditParseError.
RegistryDocument ParseRegedit(std::string_view text);

// Writes `document` in the same form, LF line ends; ParseRegedit gives the
// same document back for any keys and values the document can hold.
std::string WriteRegedit(const RegistryDocument& document);

} // namespace twinvane::platform::posix
