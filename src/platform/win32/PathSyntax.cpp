// SPDX-License-Identifier: MIT
#include "platform/PathSyntax.h"

namespace twinvane::platform {

char PathSeparator() noexcept {
    return '\\';
}

bool IsFolderDelimiter(char c) noexcept {
    return c == '\\' || c == ':';
}

std::string QuotePath(const std::string& path) {
    return "\"" + path + "\"";
}

} // namespace twinvane::platform
