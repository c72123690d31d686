// SPDX-License-Identifier: MIT
#include "platform/PathSyntax.h"

#include "platform/AsciiText.h"

namespace twinvane::platform {

char PathSeparator() noexcept {
    return '\\';
}

bool IsFolderDelimiter(char c) noexcept {
    return c == '\\' || c == ':';
}

bool IsAbsolutePath(const std::string& path) noexcept {
    const auto slash = [&](std::size_t at) {
        return path.size() > at && (path[at] == '\\' || path[at] == '/');
    };
    // "\\server\share" and "X:\"; a bare "\folder" or "X:folder" still
    // depends on the current drive or its folder.
    return (slash(0) && slash(1)) || (path.size() > 2 && path[1] == ':' && slash(2));
}

std::string QuotePath(const std::string& path) {
    return "\"" + path + "\"";
}

bool StartsThroughCommandInterpreter(const std::string& program) {
    const auto dot = program.rfind('.');
    if (dot == std::string::npos || program.find_first_of("\\/:", dot) != std::string::npos) {
        return false;
    }
    const std::string extension = LowerAscii(std::string_view(program).substr(dot));
    return extension == ".bat" || extension == ".cmd";
}

} // namespace twinvane::platform
