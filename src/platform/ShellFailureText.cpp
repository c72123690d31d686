// SPDX-License-Identifier: MIT
// The words for a failed shell start, the same on every system: the Linux
// backend reports its failures in the Windows codes.
#include "Shell.h"

namespace twinvane::platform {

std::string ShellFailureText(int result) {
    switch (result) {
    case 0:
    case kShellOutOfMemory:
        return "There is not enough memory to start it";
    case kShellFileNotFound:
        return "The file was not found";
    case kShellPathNotFound:
        return "The path was not found";
    case kShellAccessDenied:
        return "Access is denied; it may not be an executable program";
    case kShellBadFormat:
        return "It is not a valid program";
    case 26:
        return "Another program is using it";
    case 27:
    case kShellNoAssociation:
        return "No program is associated with it";
    case 32:
        return "A library it needs was not found";
    default:
        return "The shell reported error " + std::to_string(result);
    }
}

} // namespace twinvane::platform
