// SPDX-License-Identifier: MIT
#include "platform/ProgramSearch.h"

#include "platform/DesktopPlaces.h"

namespace twinvane::platform {

std::string FindInstalledProgram(const ProgramLocations& where) {
    return FindProgramOnPath(where.linuxCommand);
}

} // namespace twinvane::platform
