// SPDX-License-Identifier: MIT
#include "platform/PathSyntax.h"

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

} // namespace twinvane::platform
