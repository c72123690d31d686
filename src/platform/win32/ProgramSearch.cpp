// SPDX-License-Identifier: MIT
#include "platform/ProgramSearch.h"

namespace twinvane::platform {

// The Windows places are not searched yet: the file dialog opens at once.
std::string FindInstalledProgram(const ProgramLocations&) {
    return {};
}

} // namespace twinvane::platform
