// SPDX-License-Identifier: MIT
#include "CleanUpNames.h"

#include "fileutil/stringutils.h"
#include "platform/AsciiText.h"
#include "platform/DesktopPlaces.h"

#include <algorithm>

namespace twinvane {

std::array<std::string, 2> TemporaryNames() {
    const std::string folder = platform::TemporaryCopyFolder();
    return {folder + "TWVTemp1", folder + "TWVTemp2"};
}

bool IsCleanUpName(const std::string& path) {
    const auto temporary = TemporaryNames();
    return std::find(temporary.begin(), temporary.end(), path) != temporary.end() ||
           platform::LowerAscii(FolderPart(path)) == "c:\\temp\\";
}

} // namespace twinvane
