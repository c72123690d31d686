// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <string>

namespace twinvane::testing {

// Makes `link` a symbolic link to the file `target`. False where the system
// makes none: Windows without the privilege or developer mode, and Wine 8,
// whose CreateSymbolicLink reports success and makes nothing.
inline bool MakeFileLink(const std::string& link, const std::string& target) {
    ::CreateSymbolicLinkA(link.c_str(), target.c_str(),
                          SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
    const DWORD attributes = ::GetFileAttributesA(link.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

} // namespace twinvane::testing
