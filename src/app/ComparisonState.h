// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

namespace twinvane {

// What the main window knows about the comparison. UserFile1 and UserFile2
// equal File1 and File2 except while temporary copies stand in for them, and
// after Clear File List, which empties only File1 and File2.
struct ComparisonState {
    std::string File1;
    std::string File2;
    std::string UserFile1;
    std::string UserFile2;
    std::string WinDiffPath;
    std::string InstallFolder;
    bool Substituted = false;
    std::int32_t ActionSetting = 2;
    bool DeleteTemps = true;
};

} // namespace twinvane
