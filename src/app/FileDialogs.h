// SPDX-License-Identifier: MIT
#pragma once

#include "MainView.h"

namespace twinvane {

// How each open-file dialog of the main window is set up before it shows.
FileDialogRequest Open1Request(const std::string& file1);
FileDialogRequest Open2Request(const std::string& file2);
// Proposes the first graphical diff program found on PATH while `winDiffPath`
// names no existing file, so that a first run needs one Enter.
FileDialogRequest LocWindiffRequest(const std::string& winDiffPath);

} // namespace twinvane
