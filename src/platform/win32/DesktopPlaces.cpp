// SPDX-License-Identifier: MIT
#include "platform/DesktopPlaces.h"

namespace twinvane::platform {

DiffProgramDialogDefaults DiffProgramDialog() {
    return {"d:\\windiff", "windiff.exe", "Windiff", "*.exe", "exe"};
}

std::string FindProgramOnPath(const std::string&) {
    return {};
}

std::string DiffProgramWorkingFolder() {
    return "c:\\";
}

std::string TemporaryCopyFolder() {
    return "C:\\";
}

void PrepareTemporaryCopyFolder() {}

// CREATE_ALWAYS replaces whatever file stands at the name.
void ClearTemporaryName(const std::string&) {}

std::string TemporaryCopyPlaceDescription() {
    return "the root of your C: drive";
}

} // namespace twinvane::platform
