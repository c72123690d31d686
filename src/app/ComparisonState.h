// SPDX-License-Identifier: MIT
#pragma once

#include "settings/Settings.h"

namespace twinvane {

// What the main window knows about the comparison: the stored settings, and
// what lives only while the window does. UserFile1 and UserFile2 equal
// Stored.File1 and Stored.File2 except while temporary copies stand in for
// them, and after Clear File List, which empties only the stored names.
struct ComparisonState {
    // Empty until the settings are read: a first-run default is the store's
    // answer for an absent value, not something the window assumes.
    StoredSettings Stored{.InstallFolder = {}, .File1 = {}, .File2 = {}, .WinDiffPath = {}};
    std::string UserFile1;
    std::string UserFile2;
    bool Substituted = false;
};

} // namespace twinvane
