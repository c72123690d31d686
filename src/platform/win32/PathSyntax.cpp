// SPDX-License-Identifier: MIT
#include "platform/PathSyntax.h"

namespace twinvane::platform {

char PathSeparator() noexcept {
    return '\\';
}

bool IsFolderDelimiter(char c) noexcept {
    return c == '\\' || c == ':';
}

} // namespace twinvane::platform
