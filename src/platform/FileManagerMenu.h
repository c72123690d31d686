// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

namespace twinvane::platform {

// The file manager's "compare with File 1" item, where Twinvane's installer
// added one to the user's context menu (Explorer): shown with `caption`, or
// hidden when there is none. Does nothing where no such item was installed,
// or where the menu asks Twinvane for File 1 itself. Never raises: the
// settings are saved whatever the menu shows.
void ShowCompareWithFile1Item(const std::optional<std::string>& caption) noexcept;

} // namespace twinvane::platform
