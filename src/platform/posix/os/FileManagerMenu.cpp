// SPDX-License-Identifier: MIT
#include "platform/FileManagerMenu.h"

namespace twinvane::platform {

// The Linux file managers' items ask `twinvane --print-file1` when their
// menu opens, or show a fixed caption: nothing here to keep up to date.
void ShowCompareWithFile1Item(const std::optional<std::string>&) noexcept {}

} // namespace twinvane::platform
