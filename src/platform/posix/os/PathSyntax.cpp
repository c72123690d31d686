// SPDX-License-Identifier: MIT
#include "platform/PathSyntax.h"

#include "platform/CommandLine.h"

namespace twinvane::platform {

char PathSeparator() noexcept {
    return '/';
}

bool IsFolderDelimiter(char c) noexcept {
    return c == '/';
}

bool IsAbsolutePath(const std::string& path) noexcept {
    return !path.empty() && path.front() == '/';
}

std::string QuotePath(const std::string& path) {
    return QuoteArgument(path);
}

bool StartsThroughCommandInterpreter(const std::string&) {
    return false;
}

} // namespace twinvane::platform
