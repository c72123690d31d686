// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

namespace twinvane::ui::win32 {

// What a WM_DROPFILES carried: the names in order, in the program's 8-bit
// encoding, and where they were let go, in the window's client coordinates.
struct DroppedFiles {
    std::vector<std::string> paths;
    POINT point{};
};

// Reads a drop and releases it; the handle is no longer valid afterwards.
DroppedFiles TakeDroppedFiles(HDROP drop);

} // namespace twinvane::ui::win32
